#include "DesignerFixture.h"

#include "designer/frmAddRegion.h"
#include "platform/ui/ModalDialog.h"

#include <QRadioButton>

using designer::frmAddRegion;

namespace
{

class AddRegionDialog : public designertest::DesignerTest
{
protected:
    // Shows the dialog on the grid; the driver presses its buttons.
    bool show(platform::grid::Sheet& grid, const std::function<void(frmAddRegion&)>& driver)
    {
        frmAddRegion dialog(grid);
        ui.onDialog("frmAddRegion", [&](QDialog& window) { driver(static_cast<frmAddRegion&>(window)); });
        platform::ui::showModal(dialog);
        return dialog.ReportModified;
    }
};

TEST_F(AddRegionDialog, OffersWhatIsMissingAndAddsTheChosenPair)
{
    auto grid = designGrid(store::DataReport, 5, 4, "PH 1:2, DD 3:3, PT 4:4");
    const bool modified = show(grid, [](frmAddRegion& window) {
        EXPECT_EQ(window.windowTitle(), "添加区域");
        EXPECT_TRUE(window.optRegion[0]->isEnabled());
        EXPECT_FALSE(window.optRegion[1]->isEnabled());
        EXPECT_TRUE(window.optRegion[2]->isChecked());
        window.optRegion[0]->setChecked(true);
        window.cmdAdd_Click();
    });
    EXPECT_TRUE(modified);
    EXPECT_EQ(regions(), "RH 1:1, PH 2:3, DD 4:4, PT 5:5, RT 6:6");
    designertest::expectMarkersMatchRegions(grid);

    // A refused fourth group level still marks the report modified; Cancel does not.
    for (int add = 1; add <= 4; ++add)
        EXPECT_TRUE(show(grid, [](frmAddRegion& window) { window.cmdAdd_Click(); }));
    EXPECT_EQ(ui.boxTexts(), QStringList { "报表已有三级分组，不可再添加分组区域！" });
    EXPECT_FALSE(show(grid, [](frmAddRegion& window) { window.cmdCancel_Click(); }));
}

} // namespace

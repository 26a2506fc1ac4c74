#include "DesignerFixture.h"

#include "designer/frmColWidth.h"
#include "designer/frmResize.h"
#include "designer/frmRowHeight.h"
#include "designer/SizeInput.h"
#include "platform/ui/ModalDialog.h"

#include <functional>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

using namespace designer;

namespace
{

// A checked size's value, 0 when refused, and its refusal's message, empty when accepted.
template <class T> T valueOf(const CheckedSize<T>& checked)
{
    const T* value = std::get_if<T>(&checked);
    return value ? *value : T {};
}

template <class T> QString refusalOf(const CheckedSize<T>& checked)
{
    const auto* refusal = std::get_if<platform::ui::Refusal<SizeBox>>(&checked);
    return refusal ? refusal->message : QString();
}

const QString RangeMessage = "数字必须在 10 与 400 之间，请再次输入属于上述区域的数字。";

TEST(SizeInput, CustomZoom)
{
    const struct {
        QString text;
        int percent;
        QString fault;
    } cases[] = {
        { "10", 10, {} },
        { " 400 ", 400, {} },
        { "9.5", 10, {} }, // halves go to the even neighbour
        { "10.5", 10, {} },
        { "9", 0, RangeMessage },
        { "401", 0, RangeMessage },
        { "99999999", 0, RangeMessage },
        { "  ", 0, "请输入自定义显示比例大小！" },
        { "50%", 0, "输入不正确！要求输入内容为小数或整数。" },
        { "75,5", 0, "输入不正确！要求输入内容为小数或整数。" },
    };
    for (const auto& c : cases) {
        const auto zoom = CheckZoom(c.text);
        EXPECT_EQ(valueOf(zoom), c.percent) << c.text.toStdString();
        EXPECT_EQ(refusalOf(zoom), c.fault) << c.text.toStdString();
    }
    EXPECT_EQ(ZoomOptionOf(75), 2);
    EXPECT_EQ(ZoomOptionOf(60), CustomZoomOption);
}

TEST(SizeInput, RowHeightAndColumnWidth)
{
    // A decimal point whatever the user's locale.
    const QLocale userLocale;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const struct {
        QString text;
        double twips;
        QString rowFault, colFault;
    } cases[] = {
        { "10", 5670, {}, {} },
        { "0.5", 283.5, {}, {} },
        { "0", 0, "行高必须为大于0 小于10 的数,请重新输入!", "列宽必须为大于0 小于10 的数,请重新输入!" },
        { "-1", 0, "行高必须为大于0 小于10 的数,请重新输入!", "列宽必须为大于0 小于10 的数,请重新输入!" },
        { "10.01", 0, "行高值设置过大,请重新输入!", "列宽值设置过大,请重新输入!" },
        { "一厘米", 0, "行高必须为数值,请重新输入!", "列宽必须为数值,请重新输入!" },
        { "0,5", 0, "行高必须为数值,请重新输入!", "列宽必须为数值,请重新输入!" },
    };
    for (const auto& c : cases) {
        const auto height = CheckRowHeight(c.text);
        const auto width = ValidateColWidth(c.text);
        EXPECT_DOUBLE_EQ(valueOf(height), c.twips) << c.text.toStdString();
        EXPECT_EQ(refusalOf(height), c.rowFault) << c.text.toStdString();
        EXPECT_DOUBLE_EQ(valueOf(width), c.twips) << c.text.toStdString();
        EXPECT_EQ(refusalOf(width), c.colFault) << c.text.toStdString();
    }
    QLocale::setDefault(userLocale);
}

// Shows the dialog modally with the driver working on it; boxes are recorded.
template <class Dialog> QStringList drive(Dialog& dialog, const std::function<void(Dialog&)>& driver)
{
    platform::ui::ScriptedUi script;
    script.onDialog(dialog.objectName(), [&](QDialog& window) { driver(static_cast<Dialog&>(window)); });
    platform::ui::showModal(dialog);
    return script.boxTexts();
}

// The dialogs open on the present size; the text they show passes their own check.
TEST(SizeInput, PresentSizeInCentimetres)
{
    const QLocale userLocale;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const std::pair<double, QString> cases[]
        = { { 1701, "3" }, { 1417.5, "2.5" }, { 300, "0.53" }, { 2338, "4.12" }, { 5670, "10" } };
    for (const auto& [twips, text] : cases) {
        EXPECT_EQ(CentimetreText(twips), text) << twips;
        EXPECT_EQ(refusalOf(ValidateColWidth(text)), QString()) << text.toStdString();
    }
    QLocale::setDefault(userLocale);
}

TEST(SizeDialogs, ZoomStartsFromTheGridAndChecksTheCustomPercent)
{
    frmResize dialog(60);
    EXPECT_EQ(dialog.windowTitle(), "显示比例");
    const QStringList boxes = drive<frmResize>(dialog, [](frmResize& window) {
        EXPECT_TRUE(window.optResize[CustomZoomOption]->isChecked());
        EXPECT_EQ(window.txtSize->text(), "60");
        window.txtSize->setText("9");
        window.cmdOK_Click();
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.txtSize->text(), QString());
        window.txtSize->setText("150.4");
        window.cmdOK_Click();
    });
    EXPECT_EQ(boxes, QStringList { RangeMessage });
    EXPECT_EQ(dialog.ZoomPercent, 150);
}

TEST(SizeDialogs, HeightAndWidthInTwipsOrNothing)
{
    frmRowHeight height;
    EXPECT_EQ(height.windowTitle(), "行高");
    const QStringList boxes = drive<frmRowHeight>(height, [](frmRowHeight& window) {
        window.txtRowHeight->setText("0");
        window.cmdOK_Click();
        window.txtRowHeight->setText("1.5");
        window.cmdOK_Click();
    });
    EXPECT_EQ(boxes, QStringList { "行高必须为大于0 小于10 的数,请重新输入!" });
    EXPECT_DOUBLE_EQ(height.RowHeightTwips, 850.5);

    // Cancel after an earlier answer of the same dialog changes nothing.
    drive<frmRowHeight>(height, [](frmRowHeight& window) { window.cmdCancel_Click(); });
    EXPECT_EQ(height.RowHeightTwips, 0);

    frmColWidth width;
    EXPECT_EQ(width.windowTitle(), "列宽");
    drive<frmColWidth>(width, [](frmColWidth& window) {
        window.txtColWidth->setText("10");
        window.cmdOK_Click();
    });
    EXPECT_DOUBLE_EQ(width.ColWidthTwips, 5670);
}

} // namespace

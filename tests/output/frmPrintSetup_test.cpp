#include "output/frmPrintSetup.h"
#include "output/PrintTiming.h"
#include "platform/outside/SettingsObject.h"
#include "platform/ui/ModalDialog.h"
#include "platform/ui/ScriptedUi.h"
#include "store/PrintSettings.h"

#include <functional>
#include <gtest/gtest.h>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

using output::frmPrintSetup;

namespace
{

TEST(BatchPages, TypedPagesAreRoundedAndBounded)
{
    const QString notNumeric = QStringLiteral("请输入数值！");
    const QString outOfRange = QStringLiteral("页数设置超出设置范围!");
    const std::tuple<const char*, int, QString> cases[] = {
        { "1", 1, {} },
        { "500", 500, {} },
        { "020", 20, {} },
        { " 12.6 ", 13, {} },
        { "1.5", 2, {} },
        { "2.5", 2, {} }, // halves go to the even neighbour
        { "500.4", 500, {} },
        { "0", 0, outOfRange },
        { "0.5", 0, outOfRange },
        { "501", 0, outOfRange },
        { "-3", 0, outOfRange },
        { "99999", 0, outOfRange },
        { "", 0, notNumeric },
        { "abc", 0, notNumeric },
        { "12页", 0, notNumeric },
    };
    for (const auto& [text, pages, refusal] : cases) {
        const output::BatchPagesInput input = output::ReadBatchPages(QString::fromUtf8(text));
        EXPECT_EQ(input.pages, pages) << text;
        EXPECT_EQ(input.refusal, refusal) << text;
    }
    EXPECT_EQ(output::BatchButtonCaption(30), QStringLiteral("生成后30页报表(M)"));
}

// The print window's current choice: 20 pages, printing on the print button; settings of its own.
class PrintSetupTest : public testing::Test
{
protected:
    void SetUp() override
    {
        platform::outside::setSettingsFolder(settings.path());
        dialog.PagesPerBatch = 20;
        dialog.AutoPrint = false;
    }
    void TearDown() override { platform::outside::setSettingsFolder(QString()); }

    int show(std::function<void(frmPrintSetup&)> driver)
    {
        ui.onDialog(QStringLiteral("frmPrintSetup"),
            [&](QDialog& window) { driver(static_cast<frmPrintSetup&>(window)); });
        return platform::ui::showModal(dialog);
    }

    static QString storedPages()
    {
        return platform::outside::SettingsObject().read(
            QStringLiteral("PrintSetup"), QStringLiteral("mipages"));
    }

    QTemporaryDir settings;
    platform::ui::ScriptedUi ui;
    frmPrintSetup dialog;
};

TEST_F(PrintSetupTest, OkKeepsThePagesAsTypedAndTheTiming)
{
    store::SavePrintPages(QStringLiteral("35"));
    const int result = show([](frmPrintSetup& window) {
        EXPECT_EQ(window.txtPages->text(), QStringLiteral("35"));
        EXPECT_TRUE(window.optPrint[0]->isChecked());
        window.txtPages->setText(QStringLiteral("040"));
        window.optPrint[1]->setChecked(true);
        window.cmdOk->click();
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(dialog.PagesPerBatch, 40);
    EXPECT_TRUE(dialog.AutoPrint);
    EXPECT_EQ(storedPages(), QStringLiteral("040"));
    EXPECT_EQ(store::GetPrintPages(), 40);
}

TEST_F(PrintSetupTest, OptionsOpenOnTheCurrentChoice)
{
    dialog.AutoPrint = true;
    show([](frmPrintSetup& window) {
        EXPECT_EQ(window.txtPages->text(), QStringLiteral("20"));
        EXPECT_TRUE(window.optPrint[1]->isChecked());
        window.cmdOk->click();
    });
    EXPECT_TRUE(dialog.AutoPrint);
}

TEST_F(PrintSetupTest, RefusedPagesKeepTheDialogOpenAndStoreNothing)
{
    const int result = show([&](frmPrintSetup& window) {
        window.txtPages->setText(QStringLiteral("501"));
        window.optPrint[1]->setChecked(true);
        window.cmdOk->click();
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(window.focusWidget(), window.txtPages);
        window.txtPages->setText(QStringLiteral("x"));
        window.cmdOk->click();
        EXPECT_TRUE(window.isVisible());
        window.cmdCancel->click();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(ui.boxTexts(), (QStringList { "页数设置超出设置范围!", "请输入数值！" }));
    EXPECT_EQ(ui.boxes()[0].title, QStringLiteral("提示信息"));
    EXPECT_EQ(dialog.PagesPerBatch, 20);
    EXPECT_FALSE(dialog.AutoPrint);
    EXPECT_EQ(storedPages(), QString());
}

} // namespace

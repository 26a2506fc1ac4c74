#include "OutputWindowFixture.h"

#include "engine/EngineState.h"
#include "output/frmPreview.h"
#include "output/frmPrint.h"
#include "output/frmPrintMSG.h"
#include "output/frmPrintSetup.h"
#include "output/frmPrtSelection.h"
#include "output/OutputWindowLayout.h"
#include "output/PageView.h"
#include "platform/ui/QtTranslation.h"
#include "platform/ui/WindowSize.h"
#include "support/CaptionFit.h"

#include <functional>
#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

using namespace outputtest;
using output::frmPrint;
using platform::ui::MsgBoxResult;
using testsupport::cutCaptions;

namespace
{

void pressKey(QWidget& widget, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
}

TEST(WindowSizes, OpeningSizesFitTheScreenAndKeepTheMinimum)
{
    const QSize wanted = output::OutputWindowWantedSize;
    const QSize opened = platform::ui::openingSize(wanted, { 560, 333 }, QRect(0, 0, 1024, 768));
    EXPECT_LE(opened.width(), 1024 - 16);
    EXPECT_LE(opened.height(), 768 - 40);
    EXPECT_EQ(platform::ui::openingSize(wanted, { 560, 333 }, QRect(0, 0, 2560, 1440)), wanted);
    EXPECT_EQ(platform::ui::openingSize(wanted, { 560, 333 }, QRect(0, 0, 400, 300)), QSize(560, 333));
}

// The dialogs of the print half at their smallest: every caption whole, every button inside.
TEST(WindowSizes, DialogsKeepEveryCaptionWholeAtTheirMinimumSize)
{
    frmPrintMSG progress;
    EXPECT_EQ(cutCaptions(progress), QStringList());
    output::frmPrintSetup timing;
    EXPECT_EQ(cutCaptions(timing), QStringList());
    const engine::DataReportRun run;
    output::frmPrtSelection range(run);
    EXPECT_EQ(cutCaptions(range), QStringList());
}

TEST(QtTexts, StandardButtonsAndDialogsReadChinese)
{
    ASSERT_TRUE(platform::ui::useChineseQtTexts());
    QMessageBox box(QMessageBox::Question, QString(), QString(),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
    const std::pair<QMessageBox::StandardButton, QString> buttons[] = { { QMessageBox::Yes, "是" },
        { QMessageBox::No, "否" }, { QMessageBox::Ok, "确定" }, { QMessageBox::Cancel, "取消" } };
    for (const auto& [button, text] : buttons)
        EXPECT_TRUE(box.button(button)->text().startsWith(text)) << box.button(button)->text().toStdString();
    QFileDialog save;
    save.setAcceptMode(QFileDialog::AcceptSave);
    EXPECT_EQ(save.windowTitle(), QStringLiteral("另存为"));
    EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("打印"));
}

class WindowUse : public OutputWindowTest
{
protected:
    WindowUse()
        : OutputWindowTest(200)
    {
    }

    void inPrintWindow(const std::function<void(frmPrint&)>& work)
    {
        ui.onDialog(
            QStringLiteral("frmPrint"), [&](QDialog& window) { work(static_cast<frmPrint&>(window)); });
        report.PreviewPrint();
    }

    void inPreview(const std::function<void(frmPreview&)>& work)
    {
        ui.onDialog(
            QStringLiteral("frmPreview"), [&](QDialog& window) { work(static_cast<frmPreview&>(window)); });
        report.PreviewBlankPage();
    }
};

OUTPUT_WINDOW_SUITE(WindowUse);

TEST_P(WindowUse, OutputWindowsKeepEveryCaptionWholeAtTheirMinimumSize)
{
    bool printed = false;
    inPrintWindow([&](frmPrint& window) {
        printed = true;
        EXPECT_EQ(window.cmdPrint->text(), QStringLiteral("生成后20页报表(M)"));
        EXPECT_EQ(cutCaptions(window), QStringList());
    });
    bool previewed = false;
    inPreview([&](frmPreview& window) {
        previewed = true;
        EXPECT_EQ(cutCaptions(window), QStringList());
    });
    EXPECT_TRUE(printed && previewed);
}

// In the fitted page no key and no wheel turn moves the page; at full size the keys scroll it.
TEST_P(WindowUse, KeysNeverScrollTheFittedPageOutOfSight)
{
    inPrintWindow([&](frmPrint& window) {
        output::PageView& page = *window.fbkPrint;
        ASSERT_TRUE(page.fitted());
        for (const int key : { Qt::Key_PageDown, Qt::Key_Down, Qt::Key_End, Qt::Key_Right }) {
            for (int i = 0; i < 5; ++i)
                pressKey(page, key);
            EXPECT_EQ(page.topRow(), 1) << key;
            EXPECT_EQ(page.leftCol(), 1) << key;
        }
        window.cmdResize_Click();
        ASSERT_FALSE(page.fitted());
        for (int i = 0; i < 5; ++i)
            pressKey(page, Qt::Key_PageDown);
        EXPECT_GT(page.topRow(), 1);
    });
}

TEST_P(WindowUse, EscapeTakesTheCancelRoadOfThePrintWindowAndNothingInThePreview)
{
    ui.queueAnswer(MsgBoxResult::No);
    ui.queueAnswer(MsgBoxResult::Yes);
    bool closedByEscape = false;
    inPrintWindow([&](frmPrint& window) {
        pressKey(window, Qt::Key_Escape);
        EXPECT_TRUE(window.isVisible()) << "a No keeps the window";
        pressKey(window, Qt::Key_Escape);
        closedByEscape = !window.isVisible();
    });
    EXPECT_TRUE(closedByEscape);
    EXPECT_EQ(ui.boxTexts(), QStringList(2, QStringLiteral("确定要取消报表生成吗？")));

    bool previewStays = false;
    inPreview([&](frmPreview& window) {
        pressKey(window, Qt::Key_Escape);
        previewStays = window.isVisible();
    });
    EXPECT_TRUE(previewStays);
    EXPECT_EQ(ui.boxTexts().size(), 2);
}

// A resize fits the page to the new page area again, whichever zoom the user chose before.
TEST_P(WindowUse, TheResizedPrintWindowFitsItsPageAgain)
{
    inPrintWindow([&](frmPrint& window) {
        window.cmdResize_Click();
        ASSERT_FALSE(window.FitZoom);
        window.resize(window.width() - 40, window.height() - 40);
        QApplication::processEvents();
        EXPECT_TRUE(window.FitZoom);
        EXPECT_TRUE(window.fbkPrint->fitted());
        EXPECT_FALSE(window.fbkPrint->showVScrollBar());
    });
}

} // namespace

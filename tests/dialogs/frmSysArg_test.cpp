#include "dialogs/frmSysArg.h"
#include "platform/ui/ScriptedUi.h"

#include <functional>
#include <gtest/gtest.h>
#include <QAction>
#include <QLineEdit>
#include <QToolBar>

using dialogs::frmSysArg;
using platform::ui::ScriptedUi;

namespace
{

// The picker's result after the driver worked on it.
QString pick(ScriptedUi& script, std::function<void(frmSysArg&)> driver)
{
    script.onDialog(
        QStringLiteral("frmSysArg"), [&](QDialog& window) { driver(static_cast<frmSysArg&>(window)); });
    return dialogs::PickSysArg();
}

QAction* button(frmSysArg& picker, int toolbar, const char* key)
{
    return picker.tlbSysArg[toolbar]->findChild<QAction*>(QString::fromLatin1(key));
}

TEST(SysArgPicker, EachButtonPutsItsTextIntoTheBoxAndOkReturnsIt)
{
    const struct {
        int toolbar;
        const char* key;
        const char* caption;
        const char* text;
    } buttons[] = {
        { 0, "PageNo", "第%p页", "第%p页" },
        { 0, "PageCount", "共%P页", "共%P页" },
        { 0, "Date1", "1999-09-09", "%d" },
        { 0, "Date2", "1999年9月9日", "%D" },
        { 0, "Time1", "14:02", "%t" },
        { 0, "Time2", "14时02分", "%T" },
        { 0, "RecordNo", "序号", "%N" },
        { 0, "FondsName", "全宗名称", "%I" },
        { 1, "PageNo2", "第%p页/共%P页", "第%p页/共%P页" },
        { 1, "PageNo3", "第%p页  共%P页", "第%p页 共%P页" },
        { 1, "Time3", "1999-09-09 14:02", "%d %t" },
        { 1, "Time5", "1999年9月9日14时02分", "%D %T" },
    };
    for (const auto& b : buttons) {
        ScriptedUi script;
        const QString result = pick(script, [&](frmSysArg& picker) {
            // A button replaces what the box held, wherever the caret stands.
            picker.tlbSysArg_ButtonClick(button(picker, 0, "PageNo"));
            QAction* action = button(picker, b.toolbar, b.key);
            ASSERT_NE(action, nullptr) << b.key;
            EXPECT_EQ(action->text(), QString::fromUtf8(b.caption));
            action->trigger();
            EXPECT_EQ(picker.txtSysArg->text(), QString::fromUtf8(b.text));
            picker.cmdOk_Click();
        });
        EXPECT_EQ(result, QString::fromUtf8(b.text)) << b.key;
    }
}

TEST(SysArgPicker, CaptionlessButtonsAreNotShown)
{
    frmSysArg picker;
    EXPECT_EQ(picker.tlbSysArg[0]->actions().size(), 8);
    EXPECT_EQ(picker.tlbSysArg[1]->actions().size(), 4);
    for (const char* key : { "Time4", "Time6", "Date6" })
        EXPECT_EQ(button(picker, 1, key), nullptr) << key;
}

TEST(SysArgPicker, AnEmptyBoxIsRefusedAndEveryOpeningStartsEmpty)
{
    ScriptedUi script;
    const QString typed = pick(script, [](frmSysArg& picker) {
        picker.txtSysArg->setText(QStringLiteral("   "));
        picker.cmdOk_Click();
        EXPECT_TRUE(picker.isVisible());
        picker.txtSysArg->setText(QStringLiteral("  第%p页 %d  "));
        picker.cmdOk_Click();
    });
    EXPECT_EQ(typed, QStringLiteral("第%p页 %d"));
    ASSERT_EQ(script.boxes().size(), 1U);
    EXPECT_EQ(script.boxes()[0].text, QStringLiteral("系统参数不可为空！"));
    EXPECT_EQ(script.boxes()[0].title, QStringLiteral("提示信息"));
    EXPECT_EQ(script.boxes()[0].icon, platform::ui::Icon::None);

    // The next opening shows an empty box: OK is refused rather than returning the earlier text.
    ScriptedUi again;
    const QString untouched = pick(again, [](frmSysArg& picker) {
        EXPECT_TRUE(picker.txtSysArg->text().isEmpty());
        picker.cmdOk_Click();
        picker.cmdCancel_Click();
    });
    EXPECT_TRUE(untouched.isEmpty());
    EXPECT_EQ(again.boxTexts(), QStringList { QStringLiteral("系统参数不可为空！") });
}

} // namespace

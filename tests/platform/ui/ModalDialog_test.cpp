#include "platform/ui/ModalDialog.h"
#include "platform/ui/ScriptedUi.h"

#include <gtest/gtest.h>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>

using namespace platform::ui;

namespace
{

// A window that gives up while it loads, as windows do when their checks fail.
class SelfClosingDialog : public QDialog
{
    Q_OBJECT
protected:
    void showEvent(QShowEvent* event) override
    {
        QDialog::showEvent(event);
        done(7);
    }
};

} // namespace

TEST(ModalDialog, DriverFoundByObjectNameFillsTheWindowAndAccepts)
{
    ScriptedUi script;
    QDialog dialog;
    dialog.setObjectName(QStringLiteral("frmTest"));
    auto* edit = new QLineEdit(&dialog);
    script.onDialog(QStringLiteral("frmTest"), [edit](QDialog& shown) {
        EXPECT_TRUE(shown.isVisible());
        edit->setText(QStringLiteral("输入"));
        shown.accept();
    });
    EXPECT_EQ(showModal(dialog), QDialog::Accepted);
    EXPECT_EQ(edit->text(), QStringLiteral("输入"));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(script.shownDialogs(), QStringList { QStringLiteral("QDialog") });
}

TEST(ModalDialog, DriverFoundByClassNameGivesItsDoneCodeAndAWindowUndrivenOrLeftOpenIsRejected)
{
    {
        ScriptedUi script;
        QDialog undriven;
        EXPECT_EQ(showModal(undriven), QDialog::Rejected);
        EXPECT_FALSE(undriven.isVisible());
        script.onDialog(QStringLiteral("QDialog"), [](QDialog& shown) { shown.done(3); });
        QDialog dialog;
        EXPECT_EQ(showModal(dialog), 3);
    }
    ScriptedUi script;
    script.onDialog(QStringLiteral("*"), [](QDialog&) {});
    QDialog leftOpen;
    EXPECT_EQ(showModal(leftOpen), QDialog::Rejected);
    EXPECT_FALSE(leftOpen.isVisible());
}

TEST(ModalDialog, WindowThatClosesWhileLoadingIsNotDrivenAndKeepsItsResult)
{
    ScriptedUi script;
    bool driven = false;
    script.onDialog(QStringLiteral("*"), [&](QDialog&) { driven = true; });
    SelfClosingDialog dialog;
    EXPECT_EQ(showModal(dialog), 7);
    EXPECT_FALSE(driven);
}

TEST(ModalDialog, WithoutScriptOrDisplayTheWindowLoadsAndClosesWithoutWaiting)
{
    ASSERT_EQ(ScriptedUi::active(), nullptr);
    QDialog plain;
    EXPECT_EQ(showModal(plain), QDialog::Rejected);
    EXPECT_FALSE(plain.isVisible());
    SelfClosingDialog selfClosing;
    EXPECT_EQ(showModal(selfClosing), 7);
}

// A driver registered again for a name replaces the earlier one, also from inside the earlier one while
// it runs: each call runs the driver of its own time.
TEST(ModalDialog, TheDriverRegisteredLastForANameDrivesTheWindow)
{
    ScriptedUi script;
    QStringList calls;
    for (const int code : { 3, 4 }) {
        script.onDialog(QStringLiteral("QDialog"), [&calls, code](QDialog& shown) {
            calls.append(QString::number(code));
            shown.done(code);
        });
        QDialog dialog;
        EXPECT_EQ(showModal(dialog), code);
    }
    script.onDialog(QStringLiteral("QDialog"), [&](QDialog& shown) {
        const QString mark = QStringLiteral("first");
        script.onDialog(QStringLiteral("QDialog"), [&calls](QDialog& next) {
            calls.append(QStringLiteral("second"));
            next.done(6);
        });
        calls.append(mark);
        shown.done(5);
    });
    for (const int code : { 5, 6 }) {
        QDialog dialog;
        EXPECT_EQ(showModal(dialog), code);
    }
    EXPECT_EQ(calls, (QStringList { "3", "4", "first", "second" }));
}

TEST(ModalDialog, WindowDeletedByItsDriverGivesRejected)
{
    ScriptedUi script;
    script.onDialog(QStringLiteral("*"), [](QDialog& shown) { delete &shown; });
    auto* dialog = new QDialog;
    QPointer<QDialog> watch(dialog);
    EXPECT_EQ(showModal(*dialog), QDialog::Rejected);
    EXPECT_TRUE(watch.isNull());
}

#include "ModalDialog_test.moc"

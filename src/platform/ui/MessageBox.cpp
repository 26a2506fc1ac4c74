#include "platform/ui/MessageBox.h"

#include "platform/ui/ModalDialog.h"
#include "platform/ui/QtTranslation.h"
#include "platform/ui/ScriptedUi.h"

#include <cstdio>
#include <QApplication>
#include <QMessageBox>

namespace platform::ui
{

namespace
{

QMessageBox::Icon qtIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons qtButtons(Buttons buttons)
{
    switch (buttons) {
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton qtButton(MsgBoxResult result)
{
    switch (result) {
    case MsgBoxResult::Cancel:
        return QMessageBox::Cancel;
    case MsgBoxResult::Yes:
        return QMessageBox::Yes;
    case MsgBoxResult::No:
        return QMessageBox::No;
    case MsgBoxResult::Ok:
        break;
    }
    return QMessageBox::Ok;
}

MsgBoxResult resultOf(int pressed, Buttons buttons)
{
    switch (pressed) {
    case QMessageBox::Ok:
        return MsgBoxResult::Ok;
    case QMessageBox::Cancel:
        return MsgBoxResult::Cancel;
    case QMessageBox::Yes:
        return MsgBoxResult::Yes;
    case QMessageBox::No:
        return MsgBoxResult::No;
    default:
        break;
    }
    // Closed without a button: the box's way out.
    return buttons == Buttons::YesNo ? MsgBoxResult::No
        : buttons == Buttons::Ok     ? MsgBoxResult::Ok
                                     : MsgBoxResult::Cancel;
}

} // namespace

MsgBoxResult firstButton(Buttons buttons)
{
    return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? MsgBoxResult::Yes
                                                                        : MsgBoxResult::Ok;
}

bool interactive()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

MsgBoxResult msgBox(const QString& text, Buttons buttons, Icon icon, const QString& title)
{
    beforeWaiting();
    if (ScriptedUi* script = ScriptedUi::active())
        return script->answerBox(text, buttons, icon, title);
    if (!interactive()) {
        std::fprintf(stderr, "[%s] %s\n", title.toLocal8Bit().constData(), text.toLocal8Bit().constData());
        return firstButton(buttons);
    }
    useChineseQtTexts();
    QMessageBox box(qtIcon(icon), title, text, qtButtons(buttons), QApplication::activeWindow());
    box.setDefaultButton(qtButton(firstButton(buttons)));
    return resultOf(box.exec(), buttons);
}

bool askYesNo(const QString& question, Icon icon, const QString& title)
{
    return msgBox(question, Buttons::YesNo, icon, title) == MsgBoxResult::Yes;
}

} // namespace platform::ui

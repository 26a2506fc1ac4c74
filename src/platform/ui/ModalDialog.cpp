#include "platform/ui/ModalDialog.h"

#include "platform/ui/MessageBox.h"
#include "platform/ui/QtTranslation.h"
#include "platform/ui/ScriptedUi.h"

#include <cstdio>
#include <QCoreApplication>
#include <QDialog>
#include <QPointer>

namespace platform::ui
{

namespace
{

std::function<void()>& waitingHook()
{
    static std::function<void()> hook;
    return hook;
}

} // namespace

void setBeforeWaiting(std::function<void()> hook)
{
    waitingHook() = std::move(hook);
}

void beforeWaiting()
{
    if (waitingHook())
        waitingHook()();
}

int showModal(QDialog& dialog)
{
    beforeWaiting();
    useChineseQtTexts();
    if (ScriptedUi* script = ScriptedUi::active())
        return script->driveDialog(dialog);
    if (interactive())
        return dialog.exec();

    std::fprintf(stderr, "[%s] shown without a display and closed\n", dialog.metaObject()->className());
    QPointer<QDialog> window(&dialog);
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    QCoreApplication::processEvents();
    if (!window)
        return QDialog::Rejected;
    const int result = window->result();
    if (window->isVisible())
        window->hide();
    return result;
}

} // namespace platform::ui

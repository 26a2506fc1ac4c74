#include "platform/ui/ScriptedUi.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPointer>

namespace platform::ui
{

namespace
{
ScriptedUi* activeScript = nullptr;
}

ScriptedUi::ScriptedUi()
    : outer_(activeScript)
{
    activeScript = this;
}

ScriptedUi::~ScriptedUi()
{
    activeScript = outer_;
}

ScriptedUi* ScriptedUi::active()
{
    return activeScript;
}

QStringList ScriptedUi::boxTexts() const
{
    QStringList texts;
    for (const RecordedBox& box : boxes_)
        texts.append(box.text);
    return texts;
}

void ScriptedUi::onDialog(const QString& classOrObjectName, DialogDriver driver)
{
    auto shared = std::make_shared<const DialogDriver>(std::move(driver));
    for (auto& [name, registered] : drivers_) {
        if (name == classOrObjectName) {
            registered = std::move(shared);
            return;
        }
    }
    drivers_.emplace_back(classOrObjectName, std::move(shared));
}

MsgBoxResult ScriptedUi::answerBox(const QString& text, Buttons buttons, Icon icon, const QString& title)
{
    MsgBoxResult answer = firstButton(buttons);
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    boxes_.push_back({ text, title, icon, buttons, answer });
    return answer;
}

std::shared_ptr<const ScriptedUi::DialogDriver> ScriptedUi::driverFor(const QDialog& dialog) const
{
    const QString className = QString::fromLatin1(dialog.metaObject()->className());
    for (const QString& wanted : { className, dialog.objectName(), QStringLiteral("*") }) {
        for (const auto& [name, driver] : drivers_) {
            if (!wanted.isEmpty() && name == wanted)
                return driver;
        }
    }
    return nullptr;
}

int ScriptedUi::driveDialog(QDialog& dialog)
{
    shownDialogs_.append(QString::fromLatin1(dialog.metaObject()->className()));
    QPointer<QDialog> window(&dialog);
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    QCoreApplication::processEvents();
    if (window && window->isVisible()) {
        if (const auto driver = driverFor(*window))
            (*driver)(*window);
    }
    if (!window)
        return QDialog::Rejected;
    if (window->isVisible())
        window->reject();
    return window->result();
}

} // namespace platform::ui

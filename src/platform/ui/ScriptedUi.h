#pragma once

#include "platform/ui/MessageBox.h"

#include <deque>
#include <functional>
#include <memory>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <vector>

class QDialog;

namespace platform::ui
{

struct RecordedBox {
    QString text;
    QString title;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    MsgBoxResult answer = MsgBoxResult::Ok;
};

// While alive, message boxes, modal windows and help pages go to this script instead of the user, so
// that every window runs headless in tests. Boxes are recorded and answered from the queue, then with
// their first button. A modal window is shown without blocking and handed to the driver registered for
// its class name or object name (or "*" for any); the driver presses its buttons (calls its slots) and
// the window's result is returned. A window without a driver is closed at once with Rejected. A driver
// registered again for the same name replaces the earlier one, so that no driver outlives what its
// test captured for it.
// Scripts nest: the innermost one answers.
class ScriptedUi
{
public:
    using DialogDriver = std::function<void(QDialog&)>;

    ScriptedUi();
    ~ScriptedUi();
    ScriptedUi(const ScriptedUi&) = delete;
    ScriptedUi& operator=(const ScriptedUi&) = delete;

    void queueAnswer(MsgBoxResult answer) { answers_.push_back(answer); }
    const std::vector<RecordedBox>& boxes() const { return boxes_; }
    QStringList boxTexts() const;

    void onDialog(const QString& classOrObjectName, DialogDriver driver);
    // Class names of the windows shown modally, in order.
    const QStringList& shownDialogs() const { return shownDialogs_; }
    // Help pages and other documents that would have been opened in the desktop's browser.
    const QList<QUrl>& openedUrls() const { return openedUrls_; }

    static ScriptedUi* active();

    MsgBoxResult answerBox(const QString& text, Buttons buttons, Icon icon, const QString& title);
    int driveDialog(QDialog& dialog);
    void recordOpenedUrl(const QUrl& url) { openedUrls_.append(url); }

private:
    std::shared_ptr<const DialogDriver> driverFor(const QDialog& dialog) const;

    ScriptedUi* outer_;
    std::deque<MsgBoxResult> answers_;
    std::vector<RecordedBox> boxes_;
    // Shared, so that a driver that registers another one for its own name runs to its end.
    std::vector<std::pair<QString, std::shared_ptr<const DialogDriver>>> drivers_;
    QStringList shownDialogs_;
    QList<QUrl> openedUrls_;
};

} // namespace platform::ui

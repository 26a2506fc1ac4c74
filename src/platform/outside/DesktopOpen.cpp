#include "platform/outside/DesktopOpen.h"

#include "platform/outside/ProgramStarter.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ScriptedUi.h"

#include <cstdio>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace platform::outside
{

namespace
{

// An opener that is still running after this long has started the application in the foreground
// (xdg-open on a desktop it does not know runs the application itself until it is closed).
constexpr int OpenerAnswerMs = 10000;

QString namedOpener()
{
    return qEnvironmentVariable("ORV_DESKTOP_OPENER");
}

// The opener's program and its arguments before the file; empty when the machine has none.
QStringList desktopOpener()
{
    if (const QString named = namedOpener(); !named.isEmpty())
        return { named };
    if (const QString xdgOpen = findProgram({ QStringLiteral("xdg-open") }); !xdgOpen.isEmpty())
        return { xdgOpen };
    if (const QString gio = findProgram({ QStringLiteral("gio") }); !gio.isEmpty())
        return { gio, QStringLiteral("open") };
    return {};
}

bool opened(const QString& path)
{
    QStringList command = desktopOpener();
    if (command.isEmpty())
        return false;
    const QString program = command.takeFirst();
    const ProgramRun run = RunAwaitingAnswer(program, command << path, OpenerAnswerMs);
    return run.failure.isEmpty() && (!run.ended || (run.exitCode == 0 && run.signal == 0));
}

} // namespace

bool openWithDesktop(const QString& path, QString* failure)
{
    const QString fullPath = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    const bool named = !namedOpener().isEmpty();
    if (ui::ScriptedUi* script = ui::ScriptedUi::active()) {
        script->recordOpenedUrl(QUrl::fromLocalFile(path));
        if (!named)
            return true;
    } else if (!ui::interactive() && !named) {
        std::fprintf(stderr, "%s\n", fullPath.toLocal8Bit().constData());
        return true;
    }
    if (opened(path))
        return true;
    if (failure)
        *failure = QStringLiteral("本机没有能打开 %1 的应用程序，请用其他程序打开这个文件。").arg(fullPath);
    return false;
}

} // namespace platform::outside

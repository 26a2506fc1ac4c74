#include "platform/outside/ProgramStarter.h"

#include "platform/ui/MessagePump.h"

#include <cerrno>
#include <cstring>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace platform::outside
{

namespace
{

// A program given by a path must exist and be executable: QProcess would only say "failed to start".
QString missingProgramCause(const QString& program)
{
    if (!program.contains(QLatin1Char('/')))
        return {};
    const QFileInfo file(program);
    if (!file.exists())
        return QStringLiteral("程序 %1 不存在").arg(program);
    if (!file.isExecutable() || file.isDir())
        return QStringLiteral("程序 %1 不能运行").arg(program);
    return {};
}

} // namespace

ProgramRun ShellAndWait(
    const QString& program, const QStringList& arguments, int timeoutMs, const QString& workingFolder)
{
    ProgramRun run;
    run.failure = missingProgramCause(program);
    if (!run.failure.isEmpty())
        return run;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    if (!workingFolder.isEmpty())
        process.setWorkingDirectory(workingFolder);
    process.start(program, arguments, QIODevice::ReadOnly);
    if (!process.waitForStarted(-1)) {
        run.failure = QStringLiteral("程序 %1 不能启动：%2").arg(program, process.errorString());
        return run;
    }
    if (!process.waitForFinished(timeoutMs < 1 ? -1 : timeoutMs)) {
        run.failure = QStringLiteral("程序 %1 没有在限定时间内结束").arg(program);
        process.kill();
        process.waitForFinished(-1);
        return run;
    }
    run.ended = true;
    // After a crash Qt gives the signal that ended the program as its exit code.
    if (process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    else
        run.signal = process.exitCode();
    return run;
}

ProgramRun RunAwaitingAnswer(const QString& program, const QStringList& arguments, int answerMs)
{
    ProgramRun run;
    run.failure = missingProgramCause(program);
    if (!run.failure.isEmpty())
        return run;
    std::vector<QByteArray> encoded { QFile::encodeName(program) };
    for (const QString& argument : arguments)
        encoded.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& text : encoded)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (const int error = posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ); error != 0) {
        run.failure
            = QStringLiteral("程序 %1 不能启动：%2").arg(program, QString::fromLocal8Bit(strerror(error)));
        return run;
    }
    QElapsedTimer clock;
    clock.start();
    int status = 0;
    pid_t waited = 0;
    while ((waited = waitpid(pid, &status, WNOHANG)) == 0 || (waited < 0 && errno == EINTR)) {
        if (clock.elapsed() >= answerMs) {
            // Reaped whenever it ends, so that it leaves no zombie behind.
            std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
            return run;
        }
        platform::ui::pumpMessages();
        QThread::msleep(10);
    }
    run.ended = waited == pid;
    if (!run.ended)
        run.failure = QStringLiteral("程序 %1 的结束状态读不到：%2")
                          .arg(program, QString::fromLocal8Bit(strerror(errno)));
    else if (WIFSIGNALED(status))
        run.signal = WTERMSIG(status);
    else
        run.exitCode = WEXITSTATUS(status);
    return run;
}

bool StartProcess(const QString& program, const QStringList& arguments, QString* failure)
{
    QString cause = missingProgramCause(program);
    if (cause.isEmpty() && !QProcess::startDetached(program, arguments))
        cause = QStringLiteral("程序 %1 不能启动").arg(program);
    if (failure)
        *failure = cause;
    return cause.isEmpty();
}

QString findProgram(const QStringList& names)
{
    for (const QString& name : names) {
        const QString path = QStandardPaths::findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

} // namespace platform::outside

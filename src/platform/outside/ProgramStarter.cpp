#include "platform/outside/ProgramStarter.h"

#include "platform/ui/MessagePump.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace platform::outside
{

namespace
{

// A program given by a path must exist and be executable: the system would only say that it failed to start.
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

// Starts the program with its arguments as a list, reading nothing from the host's input and with the
// signals as a shell would give them (none blocked, a broken pipe ends it); 0 with the cause in `run`
// when it cannot be started.
pid_t spawnProgram(
    const QString& program, const QStringList& arguments, const QString& workingFolder, ProgramRun& run)
{
    run.failure = missingProgramCause(program);
    if (!run.failure.isEmpty())
        return 0;
    std::vector<QByteArray> encoded { QFile::encodeName(program) };
    for (const QString& argument : arguments)
        encoded.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& text : encoded)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    const QByteArray folder = QFile::encodeName(workingFolder);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (!folder.isEmpty())
        posix_spawn_file_actions_addchdir_np(&actions, folder.constData());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signalSet;
    sigemptyset(&signalSet);
    posix_spawnattr_setsigmask(&attributes, &signalSet);
    sigaddset(&signalSet, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &signalSet);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error == 0)
        return pid;
    run.failure
        = QStringLiteral("程序 %1 不能启动：%2").arg(program, QString::fromLocal8Bit(strerror(error)));
    return 0;
}

// Waits up to `limitMs` (below 1: without limit) for the program to end, letting window messages run
// meanwhile when `pumping`. False when it still runs at the limit; otherwise `run` tells how it ended.
bool awaitEnd(pid_t pid, const QString& program, int limitMs, bool pumping, ProgramRun& run)
{
    QElapsedTimer clock;
    clock.start();
    int status = 0;
    pid_t waited = 0;
    while ((waited = waitpid(pid, &status, WNOHANG)) == 0 || (waited < 0 && errno == EINTR)) {
        if (limitMs > 0 && clock.elapsed() >= limitMs)
            return false;
        if (pumping)
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
    return true;
}

} // namespace

ProgramRun ShellAndWait(
    const QString& program, const QStringList& arguments, int timeoutMs, const QString& workingFolder)
{
    ProgramRun run;
    const pid_t pid = spawnProgram(program, arguments, workingFolder, run);
    if (pid == 0 || awaitEnd(pid, program, timeoutMs, false, run))
        return run;
    run.failure = QStringLiteral("程序 %1 没有在限定时间内结束").arg(program);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return run;
}

ProgramRun RunAwaitingAnswer(const QString& program, const QStringList& arguments, int answerMs)
{
    ProgramRun run;
    const pid_t pid = spawnProgram(program, arguments, {}, run);
    if (pid != 0 && !awaitEnd(pid, program, answerMs, true, run)) {
        // Reaped whenever it ends, so that it leaves no zombie behind.
        std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
    }
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

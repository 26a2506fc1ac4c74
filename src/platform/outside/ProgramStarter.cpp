#include "platform/outside/ProgramStarter.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

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
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
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

#include "platform/outside/ProgramStarter.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QElapsedTimer>

using platform::outside::ProgramRun;

namespace
{

// How a program ended, told alike by the run that waits without limit and by the one that awaits an
// answer.
TEST(ProgramStarter, ExitStatusAndSignalAreTold)
{
    struct Case {
        const char* script;
        int exitCode;
        int signal;
    };
    const Case cases[] = {
        { "exit 0", 0, 0 },
        { "exit 3", 3, 0 },
        { "kill -TERM $$", -1, SIGTERM },
        { "kill -KILL $$", -1, SIGKILL },
    };
    const QString shell = QStringLiteral("/bin/sh");
    for (const Case& c : cases) {
        const QStringList arguments { QStringLiteral("-c"), QString::fromLatin1(c.script) };
        for (const ProgramRun& run : { platform::outside::ShellAndWait(shell, arguments),
                 platform::outside::RunAwaitingAnswer(shell, arguments, 60000) }) {
            EXPECT_TRUE(run.ended) << c.script;
            EXPECT_EQ(run.exitCode, c.exitCode) << c.script;
            EXPECT_EQ(run.signal, c.signal) << c.script;
            EXPECT_TRUE(run.failure.isEmpty()) << c.script;
        }
    }
}

TEST(ProgramStarter, AProgramThatDoesNotAnswerIsLeftRunning)
{
    QElapsedTimer clock;
    clock.start();
    const ProgramRun run = platform::outside::RunAwaitingAnswer(
        QStringLiteral("/bin/sh"), { QStringLiteral("-c"), QStringLiteral("sleep 3") }, 100);
    EXPECT_LT(clock.elapsed(), 2500) << "the run returns without waiting for the program's end";
    EXPECT_FALSE(run.ended);
    EXPECT_TRUE(run.failure.isEmpty());

    const ProgramRun missing
        = platform::outside::RunAwaitingAnswer(QStringLiteral("no-such-opener-program"), {}, 1000);
    EXPECT_FALSE(missing.ended);
    EXPECT_TRUE(missing.failure.contains(QStringLiteral("no-such-opener-program")))
        << missing.failure.toStdString();
}

} // namespace

#pragma once

#include <QString>
#include <QStringList>

namespace platform::outside
{

// How a run of an outside program ended.
struct ProgramRun {
    bool ended = false; // started and ended (or became ready) within the time-out
    int exitCode = -1; // when it ended by itself
    int signal = 0; // the signal that ended it, 0 when it ended by itself
    QString failure; // why it could not be started or waited for, "" when it ended
};

// The one way the component starts outside programs: the program and its arguments are handed to the
// system as a list, never to a shell, so blanks and quotes in paths and values need no quoting and
// cannot start anything else. A program that is waited for reads nothing from the host's input.

// Starts `program` and waits until it ends; a time-out below 1 waits without limit. The working folder
// is the caller's when `workingFolder` is empty.
ProgramRun ShellAndWait(const QString& program, const QStringList& arguments, int timeoutMs = 0,
    const QString& workingFolder = {});

// Starts `program` and waits up to `answerMs` for its answer, letting window messages run meanwhile. A
// program still running then is left to run on (`ended` false, no failure): an opener that keeps the
// application it started in the foreground has answered by starting it.
ProgramRun RunAwaitingAnswer(const QString& program, const QStringList& arguments, int answerMs);

// Starts `program` and returns at once; false with the cause in `failure` when it cannot be started.
bool StartProcess(const QString& program, const QStringList& arguments, QString* failure = nullptr);

// The full path of a program found on the PATH, "" when none of the names is there.
QString findProgram(const QStringList& names);

} // namespace platform::outside

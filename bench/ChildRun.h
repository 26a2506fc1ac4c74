#pragma once

// Runs a program as a child process, as a user starts it, and measures it from outside: its wall time
// from start to exit and its peak resident memory. Header only, for the benchmarks.

#include <cstdio>
#include <fcntl.h>
#include <QElapsedTimer>
#include <QStringList>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace bench
{

struct ChildRun {
    bool succeeded = false; // started and exited with 0
    double seconds = 0;
    long peakMegabytes = 0;
};

// Runs `arguments` (the program first, found on PATH) with `environment` added to this process's,
// its standard output going to `output` (a file path) and its errors to /dev/null.
inline ChildRun runChild(
    const QStringList& arguments, const QStringList& environment = {}, const char* output = "/dev/null")
{
    std::vector<QByteArray> storage;
    const auto keep = [&storage](const QString& text) { storage.push_back(text.toLocal8Bit()); };
    for (const QString& argument : arguments)
        keep(argument);
    const std::size_t argumentCount = storage.size();
    for (const QString& variable : environment)
        keep(variable);
    std::vector<char*> argv;
    std::vector<char*> envp;
    for (std::size_t i = 0; i < storage.size(); ++i)
        (i < argumentCount ? argv : envp).push_back(storage[i].data());
    for (char** variable = environ; *variable; ++variable)
        envp.push_back(*variable);
    argv.push_back(nullptr);
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    ChildRun run;
    QElapsedTimer timer;
    timer.start();
    pid_t child = 0;
    const int failed = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed) {
        std::fprintf(stderr, "cannot start %s\n", argv[0]);
        return run;
    }
    int status = 0;
    rusage usage {};
    wait4(child, &status, 0, &usage);
    run.seconds = timer.nsecsElapsed() / 1e9;
    run.peakMegabytes = usage.ru_maxrss / 1024;
    run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

} // namespace bench

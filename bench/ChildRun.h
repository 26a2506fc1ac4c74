#pragma once

// Runs programs as child processes, as a user starts them, and measures them from outside: the wall
// time from start to exit and the peak resident memory. The system counts into a child's peak the
// memory of the process that started it, so the children are started by a launcher: a small process
// forked when the benchmark begins, before it grows. Header only, for the benchmarks.

#include <cstdio>
#include <fcntl.h>
#include <QElapsedTimer>
#include <QStringList>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace bench
{

struct ChildRun {
    bool succeeded = false; // started and exited with 0
    double seconds = 0;
    long peakMegabytes = 0;
};

class Launcher
{
public:
    // Forks the launcher; call it first thing in main.
    Launcher()
    {
        int requests[2];
        int answers[2];
        if (pipe(requests) != 0 || pipe(answers) != 0 || (pid_ = fork()) < 0) {
            std::perror("launcher");
            return;
        }
        if (pid_ == 0) {
            close(requests[1]);
            close(answers[0]);
            serve(requests[0], answers[1]);
            _exit(0);
        }
        close(requests[0]);
        close(answers[1]);
        requests_ = requests[1];
        answers_ = answers[0];
    }

    ~Launcher()
    {
        if (pid_ <= 0)
            return;
        close(requests_); // the launcher reads the end and exits
        waitpid(pid_, nullptr, 0);
    }

    Launcher(const Launcher&) = delete;
    Launcher& operator=(const Launcher&) = delete;

    // Runs `arguments` (the program first, found on PATH) with `environment` added to the launcher's,
    // its standard output going to the file `output` and its errors to /dev/null.
    ChildRun run(const QStringList& arguments, const QStringList& environment = {},
        const QString& output = QStringLiteral("/dev/null")) const
    {
        ChildRun run;
        if (pid_ <= 0)
            return run;
        // One request: the output, the arguments, an empty field, the environment, each ending in a NUL.
        std::string request = output.toStdString() + '\0';
        for (const QString& argument : arguments)
            request += argument.toStdString() + '\0';
        request += '\0';
        for (const QString& variable : environment)
            request += variable.toStdString() + '\0';
        const size_t size = request.size();
        if (!writeAll(requests_, &size, sizeof size) || !writeAll(requests_, request.data(), size)
            || !readAll(answers_, &run, sizeof run))
            std::fprintf(stderr, "the launcher does not answer\n");
        return run;
    }

private:
    static bool writeAll(int fd, const void* data, size_t size)
    {
        const char* bytes = static_cast<const char*>(data);
        for (size_t done = 0; done < size;) {
            const ssize_t written = write(fd, bytes + done, size - done);
            if (written <= 0)
                return false;
            done += size_t(written);
        }
        return true;
    }

    static bool readAll(int fd, void* data, size_t size)
    {
        char* bytes = static_cast<char*>(data);
        for (size_t done = 0; done < size;) {
            const ssize_t got = read(fd, bytes + done, size - done);
            if (got <= 0)
                return false;
            done += size_t(got);
        }
        return true;
    }

    static void serve(int requests, int answers)
    {
        size_t size = 0;
        while (readAll(requests, &size, sizeof size)) {
            std::string request(size, '\0');
            if (!readAll(requests, request.data(), size))
                return;
            const ChildRun run = spawn(request);
            writeAll(answers, &run, sizeof run);
        }
    }

    static ChildRun spawn(std::string& request)
    {
        std::vector<char*> fields;
        for (size_t at = 0; at < request.size(); at = request.find('\0', at) + 1)
            fields.push_back(&request[at]);
        const char* output = fields[0];
        std::vector<char*> argv;
        std::vector<char*> envp;
        size_t i = 1;
        for (; i < fields.size() && *fields[i]; ++i)
            argv.push_back(fields[i]);
        for (++i; i < fields.size(); ++i)
            envp.push_back(fields[i]);
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

    pid_t pid_ = -1;
    int requests_ = -1;
    int answers_ = -1;
};

} // namespace bench

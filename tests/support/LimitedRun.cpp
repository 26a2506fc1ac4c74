#include "support/LimitedRun.h"

#include <exception>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvtest
{

namespace
{

long long addressSpaceInUse()
{
    long long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    return pages * sysconf(_SC_PAGESIZE);
}

void limit(int resource, long long value)
{
    const rlimit limited { rlim_t(value), rlim_t(value) };
    setrlimit(resource, &limited);
}

[[noreturn]] void runChild(
    int out, long long memoryBytes, int cpuSeconds, const std::function<std::string()>& work)
{
    limit(RLIMIT_AS, addressSpaceInUse() + memoryBytes);
    limit(RLIMIT_CPU, cpuSeconds);
    std::string output;
    try {
        output = work();
    } catch (const std::exception& error) {
        output = std::string("failed: ") + error.what();
    }
    for (std::size_t written = 0; written < output.size();) {
        const ssize_t n = write(out, output.data() + written, output.size() - written);
        if (n <= 0)
            break;
        written += std::size_t(n);
    }
    _exit(0);
}

} // namespace

LimitedRunResult runLimited(long long memoryBytes, int cpuSeconds, const std::function<std::string()>& work)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    const pid_t child = fork();
    if (child < 0)
        return {};
    if (child == 0) {
        close(pipeEnds[0]);
        runChild(pipeEnds[1], memoryBytes, cpuSeconds, work);
    }
    close(pipeEnds[1]);
    LimitedRunResult result;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        result.output.append(buffer, std::size_t(n));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    result.finished = WIFEXITED(status);
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return result;
}

} // namespace orvtest

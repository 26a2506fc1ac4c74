#pragma once

#include <functional>
#include <string>

namespace orvtest
{

// How a piece of work ended in a child process of its own.
struct LimitedRunResult {
    bool finished = false; // false: ended by a signal (over its CPU time, out of stack, crashed)
    int signal = 0;
    std::string output; // what the work returned
};

// Runs `work` in a forked child that may take `memoryBytes` of address space beyond what it holds when it
// starts and `cpuSeconds` of processor time: a budget checked by the system, not by a clock on the wall,
// and a crash that ends only the child. The child returns what `work` returns, or "failed: " and the
// description of what it threw.
LimitedRunResult runLimited(long long memoryBytes, int cpuSeconds, const std::function<std::string()>& work);

} // namespace orvtest

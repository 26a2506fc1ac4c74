#pragma once

#include <exception>
#include <utility>

namespace platform::outside
{

// The category under which the store and the engine log their failures.
inline constexpr const char* ReportFailureCategory = "报表处理";

// Hands a caught failure to the shared error log: category "报表处理", the procedure's name, and the
// source, number and description of a platform::Error (source "OrvReport" and number 0 for any other
// exception). Never throws.
void reportFailure(const char* procedure, const std::exception& error) noexcept;
void reportUnknownFailure(const char* procedure) noexcept;

// Runs `work`; when it throws, logs the failure under `procedure` and returns `fallback`.
// This is the one place where "log the failure and return the default" is written.
template <class T, class F> T logged(const char* procedure, T fallback, F&& work)
{
    try {
        return std::forward<F>(work)();
    } catch (const std::exception& error) {
        reportFailure(procedure, error);
    } catch (...) {
        reportUnknownFailure(procedure);
    }
    return fallback;
}

// The same for work without a result: true when it ran to its end, false when it failed (and was logged).
template <class F> bool runLogged(const char* procedure, F&& work)
{
    return logged(procedure, false, [&] {
        std::forward<F>(work)();
        return true;
    });
}

} // namespace platform::outside

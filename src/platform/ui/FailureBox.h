#pragma once

#include <exception>
#include <QString>
#include <utility>

// Telling the user that a command failed, in one kind of box wherever it happens.
namespace platform::ui
{

// The text a caught failure gives: a platform::Error's description, else what the exception says.
QString failureText(const std::exception& error);

// An information box with `prefix` followed by the failure's text.
void showFailure(const QString& prefix, const std::exception& error);

// Runs `work`; when it throws, the failure is shown (after `prefix`) and the result is false.
template <class F> bool showingFailures(const QString& prefix, F&& work)
{
    try {
        std::forward<F>(work)();
        return true;
    } catch (const std::exception& error) {
        showFailure(prefix, error);
    }
    return false;
}

} // namespace platform::ui

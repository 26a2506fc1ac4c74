#pragma once

#include <QString>
#include <stdexcept>

namespace platform
{

// A run-time failure of a platform layer, carrying the number, source and description that the
// calling procedure hands to the error log or turns into a message.
class Error : public std::runtime_error
{
public:
    Error(int number, QString source, QString description)
        : std::runtime_error(description.toStdString())
        , number_(number)
        , source_(std::move(source))
        , description_(std::move(description))
    {
    }

    int number() const { return number_; }
    const QString& source() const { return source_; }
    const QString& description() const { return description_; }

private:
    int number_;
    QString source_;
    QString description_;
};

// Error numbers that callers act upon.
namespace errors
{
constexpr int WouldCutMergedCell = 20053;
constexpr int DeletionRefused = 20007;
constexpr int RetryPageCopy = 20005;
constexpr int PrinterFault = 482;
constexpr int Overflow = 6;
constexpr int InvalidArgument = 5;
constexpr int DivisionByZero = 11;
constexpr int TypeMismatch = 13;
constexpr int DatabaseError = 3001;
constexpr int FileError = 75;
} // namespace errors

} // namespace platform

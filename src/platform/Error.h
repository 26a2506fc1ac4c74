#pragma once

#include <algorithm>
#include <QString>
#include <stdexcept>

namespace platform
{

// The most characters a failure's description holds. A failing statement carries the values spliced into
// it, which may be of any size; its log entry and its message keep its beginning and end.
inline constexpr qsizetype MaxDescriptionLength = 8000;

// `text` when it holds at most `limit` characters; else its beginning and its end around a note of how
// many characters between them were left out, `limit` characters at most in all.
inline QString boundedText(const QString& text, qsizetype limit = MaxDescriptionLength)
{
    if (text.size() <= limit)
        return text;
    const auto note
        = [](qsizetype omitted) { return QStringLiteral("\n……（中间省略了 %1 个字符）……\n").arg(omitted); };
    // The note for the whole size is at least as long as the note for what is left out.
    const qsizetype room = std::max<qsizetype>(limit - note(text.size()).size(), 0);
    qsizetype head = room - room / 2;
    qsizetype tail = text.size() - room / 2;
    if (head > 0 && text[head - 1].isHighSurrogate())
        --head;
    if (tail < text.size() && text[tail].isLowSurrogate())
        ++tail;
    return text.left(head) + note(tail - head) + text.mid(tail);
}

// A run-time failure of a platform layer, carrying the number, source and description that the
// calling procedure hands to the error log or turns into a message; a description is bounded by
// boundedText.
class Error : public std::runtime_error
{
public:
    Error(int number, QString source, QString description)
        : std::runtime_error((description = boundedText(description)).toStdString())
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

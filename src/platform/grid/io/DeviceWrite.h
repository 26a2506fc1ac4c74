#pragma once

#include <cerrno>
#include <optional>
#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace platform::grid::io
{

// Throws platform::Error (FileError) from the sheet files' writers, with the description given.
[[noreturn]] void throwFileError(const QString& description);

// Why a call on `out` failed: the system's text for the error number the failing call left
// (`systemError`: a full disk gives "No space left on device", a file-size limit "File too large", in
// the system's language), else the device's own reason, else that the write was cut short. A file
// device that took part of a write tells no reason of its own ("Unknown error"), so the number is taken
// right after the call.
QString failureReason(const QIODevice& out, int systemError);

// Runs `call`, a step on `out` that tells whether it succeeded; when it fails, gives why
// (failureReason with the error number the step left), else nothing.
template <class Call> std::optional<QString> failureOf(const QIODevice& out, Call&& call)
{
    errno = 0;
    if (call())
        return std::nullopt;
    const int systemError = errno;
    return failureReason(out, systemError);
}

// Writes every byte or throws platform::Error (FileError) with the reason: a full disk or a file-size
// limit takes only part of a write, and a writer that went on would leave a file that looks whole but
// is cut.
void writeAll(QIODevice& out, const char* data, qint64 size);
inline void writeAll(QIODevice& out, QByteArrayView bytes)
{
    writeAll(out, bytes.constData(), bytes.size());
}

} // namespace platform::grid::io

#pragma once

#include "DeviceWrite.h"

#include <QIODevice>
#include <QString>
#include <QStringView>

namespace platform::grid::io
{

// Collects text and writes it to a device as UTF-8 in large pieces, so that a writer can append
// small pieces without a device call for each. The writer calls flush() once it is done: what is still
// collected then is written, and a failed write throws there (never from a destructor).
class Utf8Output
{
public:
    explicit Utf8Output(QIODevice& device)
        : device_(device)
    {
        text_.reserve(kChunkChars + 4096);
    }
    Utf8Output(const Utf8Output&) = delete;
    Utf8Output& operator=(const Utf8Output&) = delete;

    Utf8Output& operator<<(QStringView text)
    {
        text_.append(text);
        return flushWhenFull();
    }
    Utf8Output& operator<<(QLatin1StringView text)
    {
        text_.append(text);
        return flushWhenFull();
    }
    Utf8Output& operator<<(QChar c)
    {
        text_.append(c);
        return flushWhenFull();
    }
    Utf8Output& operator<<(int number)
    {
        text_.append(QString::number(number));
        return flushWhenFull();
    }
    void flush()
    {
        writeAll(device_, text_.toUtf8());
        text_.resize(0);
    }

private:
    Utf8Output& flushWhenFull()
    {
        if (text_.size() >= kChunkChars)
            flush();
        return *this;
    }

    static constexpr qsizetype kChunkChars = 1 << 18;
    QIODevice& device_;
    QString text_;
};

} // namespace platform::grid::io

#pragma once

#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <QByteArray>
#include <QFile>
#include <QString>
#include <thread>

namespace orvtest
{

// Another account at work in a folder that others may write to: exchanges two names (a folder and a
// link to a folder of its own) again and again on a thread of its own, and leaves both names as they
// were when stopped.
class NameSwapper
{
public:
    NameSwapper(const QString& first, const QString& second)
        : first_(QFile::encodeName(first))
        , second_(QFile::encodeName(second))
    {
    }
    ~NameSwapper() { stop(); }
    NameSwapper(const NameSwapper&) = delete;
    NameSwapper& operator=(const NameSwapper&) = delete;

    // Whether the file system exchanges names (tried twice, so that the names stay).
    bool works() const { return exchange() && exchange(); }

    void start()
    {
        done_ = false;
        thread_ = std::thread([this] {
            while (!done_)
                swaps_ += exchange() ? 1 : 0;
        });
    }
    // The number of exchanges made.
    int stop()
    {
        if (!thread_.joinable())
            return swaps_;
        done_ = true;
        thread_.join();
        if (swaps_ % 2 != 0)
            exchange();
        return swaps_;
    }

private:
    bool exchange() const
    {
        return ::renameat2(AT_FDCWD, first_.constData(), AT_FDCWD, second_.constData(), RENAME_EXCHANGE) == 0;
    }

    QByteArray first_;
    QByteArray second_;
    std::atomic<bool> done_ = false;
    std::atomic<int> swaps_ = 0;
    std::thread thread_;
};

} // namespace orvtest

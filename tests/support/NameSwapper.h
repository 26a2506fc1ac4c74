#pragma once

#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <QFile>
#include <thread>

namespace orvtest
{

// Another account at work in a folder that others may write to: exchanges two names (a folder and a
// link to a folder of its own) again and again on a thread of its own, and leaves them as they were.
class NameSwapper
{
public:
    NameSwapper(const QString& first, const QString& second)
        : first_(QFile::encodeName(first))
        , second_(QFile::encodeName(second))
    {
    }
    ~NameSwapper() { stop(); }

    bool works() const { return exchange() && exchange(); } // twice: the names stay
    void start()
    {
        done_ = false;
        thread_ = std::thread([this] {
            while (!done_)
                swaps_ += exchange() ? 1 : 0;
        });
    }
    int stop() // the number of exchanges made
    {
        done_ = true;
        if (thread_.joinable())
            thread_.join();
        if (swaps_ % 2 != 0 && exchange())
            ++swaps_;
        return swaps_;
    }

private:
    bool exchange() const
    {
        return ::renameat2(AT_FDCWD, first_.constData(), AT_FDCWD, second_.constData(), RENAME_EXCHANGE) == 0;
    }

    QByteArray first_, second_;
    std::atomic<bool> done_ = false;
    std::atomic<int> swaps_ = 0;
    std::thread thread_;
};

} // namespace orvtest

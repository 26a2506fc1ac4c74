#pragma once

#include <csignal>
#include <sys/resource.h>

namespace orvtest
{

// While it lives, no file of the process grows beyond `bytes`: a write past the limit is cut short or
// fails as on a full disk (the signal that would end the process is ignored meanwhile). Files written
// so are the files a full disk leaves, without a small file system of its own.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(long long bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limited = saved_;
        limited.rlim_cur = rlim_t(bytes);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_ {};
    void (*previous_)(int) = nullptr;
};

} // namespace orvtest

#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace orvtest
{

// Keeps an environment variable as it is when made (set, set empty or unset) and puts it back so when
// it goes, whatever the test set meanwhile.
class SavedEnvironment
{
public:
    explicit SavedEnvironment(const char* name)
        : name_(name)
        , value_(qgetenv(name))
    {
    }
    ~SavedEnvironment()
    {
        if (value_.isNull())
            qunsetenv(name_);
        else
            qputenv(name_, value_);
    }
    SavedEnvironment(const SavedEnvironment&) = delete;
    SavedEnvironment& operator=(const SavedEnvironment&) = delete;

private:
    const char* name_;
    QByteArray value_;
};

} // namespace orvtest

#pragma once

#include <QString>

namespace platform::outside
{

// The host's current user, handed to CReportOrv; read for the use log and the status bars.
class User
{
public:
    virtual ~User() = default;
    virtual QString userId() const = 0;
    virtual QString userName() const = 0;
};

// The host's system information, handed to CReportOrv; the designer's About command shows its box.
class SysInfo
{
public:
    virtual ~SysInfo() = default;
    virtual void showAbout() = 0;
};

} // namespace platform::outside

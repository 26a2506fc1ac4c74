#pragma once

#include "platform/outside/HostObjects.h"

namespace host
{

// The user the host program works as (--user).
class HostUser : public platform::outside::User
{
public:
    HostUser(QString id, QString name)
        : id_(std::move(id))
        , name_(std::move(name))
    {
    }
    QString userId() const override { return id_; }
    QString userName() const override { return name_; }

private:
    QString id_;
    QString name_;
};

// The host program's About box.
class HostSysInfo : public platform::outside::SysInfo
{
public:
    void showAbout() override;
};

} // namespace host

#pragma once

#include <QString>
#include <utility>

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

// A user known by the id and the name that the host keeps for it.
class NamedUser : public User
{
public:
    NamedUser(QString id, QString name)
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

// The host's system information, handed to CReportOrv; the designer's About command shows its box.
class SysInfo
{
public:
    virtual ~SysInfo() = default;
    virtual void showAbout() = 0;
};

} // namespace platform::outside

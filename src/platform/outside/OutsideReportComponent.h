#pragma once

#include <functional>
#include <memory>
#include <QString>

namespace platform::db
{
class Connection;
}

namespace platform::outside
{

// A report that an outside component builds and prints by itself, given the host's connection,
// filter, order and report id. A host that has such a component registers a factory under its name.
class OutsideReportComponent
{
public:
    virtual ~OutsideReportComponent() = default;
    virtual void setConnection(std::shared_ptr<db::Connection> connection) = 0;
    virtual void setSelectWhere(const QString& selectWhere) = 0;
    virtual void setSelectOrder(const QString& selectOrder) = 0;
    virtual void setReportId(const QString& reportId) = 0;
    virtual void work() = 0;
};

// The component that builds the report "全引目录2".
inline constexpr const char* TolrepProgId = "Vestrak.Tolrep";

using OutsideReportFactory = std::function<std::unique_ptr<OutsideReportComponent>()>;

// Registers (or, with an empty factory, removes) the component of a name; names compare case-insensitively.
void registerOutsideReportComponent(const QString& name, OutsideReportFactory factory);

// Creates the component registered under `name`. Throws platform::Error (number 429, source the name)
// with a message for the user when none is registered.
std::unique_ptr<OutsideReportComponent> createOutsideReportComponent(const QString& name);

} // namespace platform::outside

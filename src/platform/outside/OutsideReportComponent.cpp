#include "platform/outside/OutsideReportComponent.h"

#include "platform/Error.h"

#include <map>

namespace platform::outside
{

namespace
{

// The error number with which creating an absent component has always failed.
constexpr int CannotCreateComponent = 429;

std::map<QString, OutsideReportFactory>& registry()
{
    static std::map<QString, OutsideReportFactory> factories;
    return factories;
}

} // namespace

void registerOutsideReportComponent(const QString& name, OutsideReportFactory factory)
{
    const QString key = name.trimmed().toLower();
    if (factory)
        registry()[key] = std::move(factory);
    else
        registry().erase(key);
}

std::unique_ptr<OutsideReportComponent> createOutsideReportComponent(const QString& name)
{
    const auto found = registry().find(name.trimmed().toLower());
    std::unique_ptr<OutsideReportComponent> component;
    if (found != registry().end())
        component = found->second();
    if (!component)
        throw Error(CannotCreateComponent, name,
            QStringLiteral("无法创建外部报表组件“%1”，请确认该组件已经安装！").arg(name));
    return component;
}

} // namespace platform::outside

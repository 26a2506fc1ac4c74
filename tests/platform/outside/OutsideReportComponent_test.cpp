#include "platform/Error.h"
#include "platform/outside/OutsideReportComponent.h"

#include <gtest/gtest.h>

using namespace platform::outside;

namespace
{

struct NullComponent : OutsideReportComponent {
    void setConnection(std::shared_ptr<platform::db::Connection>) override { }
    void setSelectWhere(const QString&) override { }
    void setSelectOrder(const QString&) override { }
    void setReportId(const QString&) override { }
    void work() override { }
};

} // namespace

TEST(OutsideReportComponent, RegisteredByNameInAnyCaseAndMissingOtherwise)
{
    const auto expectMissing = [](const QString& name) {
        try {
            createOutsideReportComponent(name);
            ADD_FAILURE() << "created without a registration: " << name.toStdString();
        } catch (const platform::Error& error) {
            EXPECT_EQ(error.number(), 429);
            EXPECT_EQ(error.source(), name);
            EXPECT_TRUE(error.description().contains(name));
        }
    };
    expectMissing(QString::fromUtf8(TolrepProgId));

    const OutsideReportComponent* made = nullptr;
    registerOutsideReportComponent(QStringLiteral("Vestrak.Tolrep"), [&] {
        auto component = std::make_unique<NullComponent>();
        made = component.get();
        return component;
    });
    EXPECT_EQ(createOutsideReportComponent(QStringLiteral("vestrak.TOLREP")).get(), made);
    registerOutsideReportComponent(QStringLiteral("VESTRAK.Tolrep"), {});
    expectMissing(QStringLiteral("Vestrak.Tolrep"));

    // A factory that gives nothing counts as missing.
    registerOutsideReportComponent(
        QStringLiteral("Broken.Component"), [] { return std::unique_ptr<OutsideReportComponent>(); });
    expectMissing(QStringLiteral("Broken.Component"));
    registerOutsideReportComponent(QStringLiteral("Broken.Component"), {});
}

#include "platform/Error.h"
#include "platform/outside/OutsideReportComponent.h"

#include <gtest/gtest.h>

using namespace platform::outside;

namespace
{

struct Received {
    bool connectionSet = false;
    QString selectWhere;
    QString selectOrder;
    QString reportId;
    int workCalls = 0;
};

class SpyComponent : public OutsideReportComponent
{
public:
    explicit SpyComponent(Received& received)
        : received_(received)
    {
    }
    void setConnection(std::shared_ptr<platform::db::Connection>) override { received_.connectionSet = true; }
    void setSelectWhere(const QString& value) override { received_.selectWhere = value; }
    void setSelectOrder(const QString& value) override { received_.selectOrder = value; }
    void setReportId(const QString& value) override { received_.reportId = value; }
    void work() override { ++received_.workCalls; }

private:
    Received& received_;
};

} // namespace

TEST(OutsideReportComponent, WithoutARegisteredComponentCreationFailsWithAMessage)
{
    registerOutsideReportComponent(QString::fromUtf8(TolrepProgId), {});
    try {
        createOutsideReportComponent(QString::fromUtf8(TolrepProgId));
        FAIL() << "created without a registration";
    } catch (const platform::Error& error) {
        EXPECT_EQ(error.number(), 429);
        EXPECT_EQ(error.source(), QStringLiteral("Vestrak.Tolrep"));
        EXPECT_TRUE(error.description().contains(QStringLiteral("Vestrak.Tolrep")));
    }
}

TEST(OutsideReportComponent, RegisteredComponentIsCreatedByNameInAnyCaseAndRemovedAgain)
{
    Received received;
    registerOutsideReportComponent(
        QStringLiteral("Vestrak.Tolrep"), [&] { return std::make_unique<SpyComponent>(received); });
    auto component = createOutsideReportComponent(QStringLiteral("vestrak.TOLREP"));
    component->setConnection(nullptr);
    component->setSelectWhere(QStringLiteral("wsda.filing_year='2003'"));
    component->setSelectOrder(QStringLiteral("wsda.folder_no,wsda.piece_no"));
    component->setReportId(QStringLiteral("20030416164231127475"));
    component->work();
    EXPECT_TRUE(received.connectionSet);
    EXPECT_EQ(received.selectWhere, QStringLiteral("wsda.filing_year='2003'"));
    EXPECT_EQ(received.selectOrder, QStringLiteral("wsda.folder_no,wsda.piece_no"));
    EXPECT_EQ(received.reportId, QStringLiteral("20030416164231127475"));
    EXPECT_EQ(received.workCalls, 1);

    registerOutsideReportComponent(QStringLiteral("VESTRAK.Tolrep"), {});
    EXPECT_THROW(createOutsideReportComponent(QStringLiteral("Vestrak.Tolrep")), platform::Error);
}

TEST(OutsideReportComponent, AFactoryThatGivesNothingCountsAsMissing)
{
    registerOutsideReportComponent(
        QStringLiteral("Broken.Component"), [] { return std::unique_ptr<OutsideReportComponent>(); });
    EXPECT_THROW(createOutsideReportComponent(QStringLiteral("Broken.Component")), platform::Error);
    registerOutsideReportComponent(QStringLiteral("Broken.Component"), {});
}

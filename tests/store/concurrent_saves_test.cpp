#include "DesignFixture.h"

#include "support/SavedDesign.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

using namespace storetest;

namespace
{

// Clerks saving at once, each in a process of its own, two of them on each of two reports, as in an
// archive office with one shared database: every save waits its turn instead of being refused, and
// every report ends as one whole variant, never a mix of two.
class ConcurrentSaves : public DesignTest
{
protected:
    static constexpr int Savers = 4;
    static constexpr int SavesEach = 20;

    static QString reportOf(int saver) { return QStringLiteral("2024060100000000000%1").arg(saver % 2 + 1); }
};

TEST_P(ConcurrentSaves, EverySaveWaitsItsTurnAndEveryReportStaysWhole)
{
    const QString referenceIds[]
        = { QStringLiteral("20240601000000000091"), QStringLiteral("20240601000000000092") };
    QList<QList<QStringList>> variants;
    for (int variant = 0; variant < 2; ++variant) {
        ASSERT_TRUE(orvtest::saveDesign(referenceIds[variant], variant));
        variants.append(allRows(referenceIds[variant]));
    }
    ASSERT_NE(variants[0], variants[1]);
    // The reports exist, as reports that clerks open and save do.
    for (int report = 0; report < 2; ++report)
        ASSERT_TRUE(orvtest::saveDesign(reportOf(report), 0));

    const QString saverProgram
        = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("orvtest_report_saver"));
    std::vector<std::unique_ptr<QProcess>> savers;
    for (int saver = 0; saver < Savers; ++saver) {
        auto process = std::make_unique<QProcess>();
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->start(saverProgram,
            { database->url(), reportOf(saver), QString::number(SavesEach), QString::number(saver / 2) });
        savers.push_back(std::move(process));
    }
    for (auto& saver : savers) {
        ASSERT_TRUE(saver->waitForFinished(240000)) << saverProgram.toStdString();
        const QString output = QString::fromUtf8(saver->readAll());
        EXPECT_EQ(saver->exitCode(), 0) << output.toStdString();
        EXPECT_TRUE(output.endsWith(QStringLiteral("%1 saved\n").arg(SavesEach))) << output.toStdString();
    }
    for (const QString& id : { reportOf(0), reportOf(1) }) {
        const QList<QStringList> stored = allRows(id);
        EXPECT_TRUE(stored == variants[0] || stored == variants[1]) << id.toStdString();
    }
}

STORE_TEST_SUITE(ConcurrentSaves);

} // namespace

#include "demo/DemoReports.h"
#include "platform/grid/io/XlsDump.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/SharedObjects.h"
#include "store/ReportLoader.h"
#include "store/ReportSaver.h"
#include "store/ReportState.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>
#include <memory>
#include <QJsonArray>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <vector>

namespace
{

// What an exported workbook shows of the report's definition: the title, the width of every column (the
// fit to the paper scales them) and the page orientation.
struct Shown {
    QString title;
    QJsonObject widths;
    int landscape = -1;

    bool operator==(const Shown&) const = default;
};

Shown shownIn(const QString& workbook)
{
    const QJsonObject sheet = xlsDump(workbook, { QStringLiteral("--edges"), QStringLiteral("2") })[u"sheets"]
                                  .toArray()
                                  .at(0)
                                  .toObject();
    return { sheet[u"cells"].toArray().at(0)[u"value"].toString(), sheet[u"colWidths"].toObject(),
        sheet[u"page"][u"landscape"].toInt() };
}

// One variant of the demo data report as a clerk saves it.
struct Variant {
    QString title;
    int thirdColumnWidth;
    bool landscape;
};

// The demo data report, loaded as the designer loads it, saved in either variant.
class ExportsDuringSaves : public orvtest::BackendTest
{
protected:
    void SetUp() override
    {
        platform::outside::releaseShared();
        store::ReportState& state = store::reportState();
        state = store::ReportState {};
        state.Connection = database.connection();
        state.ReportId = demo::DataReportId;
        store::OpenReportInDesigner(design);
    }

    void TearDown() override
    {
        store::reportState() = store::ReportState {};
        platform::outside::releaseShared();
    }

    bool save(const Variant& variant)
    {
        store::ReportState& state = store::reportState();
        design.setText(1, 2, QStringLiteral("@A|") + variant.title);
        design.setColWidth(3, variant.thirdColumnWidth);
        state.PageLandscape = variant.landscape;
        return store::SaveDataReport(design, 1, 2, state.RowCount, state.ColCount);
    }

    // `orvreport web` on the report, in a process and a folder of its own.
    std::unique_ptr<QProcess> startExport()
    {
        auto folder = std::make_unique<QTemporaryDir>();
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("ORV_WEB_EXPORT_DIR"), folder->path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), settings.path());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process->setProcessEnvironment(environment);
        process->start(QStringLiteral(ORV_HOST_PROGRAM),
            { QStringLiteral("--db"), database.url(), QStringLiteral("--report"), demo::DataReportId,
                QStringLiteral("--table"), demo::SampleReportGroup, QStringLiteral("--group"),
                demo::SampleReportGroup, QStringLiteral("web") });
        folders.push_back(std::move(folder));
        return process;
    }

    // The workbook the export wrote; "" when it wrote none.
    static QString workbookOf(QProcess& process)
    {
        process.waitForFinished(60000);
        const QString prefix = QStringLiteral("GetWebReportPath: ");
        for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n')) {
            if (line.startsWith(prefix))
                return line.mid(prefix.size()).trimmed();
        }
        return {};
    }

    Shown exportAlone()
    {
        const auto process = startExport();
        const QString workbook = workbookOf(*process);
        EXPECT_FALSE(workbook.isEmpty());
        return shownIn(workbook);
    }

    orvtest::TestDatabase database { GetParam(), orvtest::TestDatabase::Content::DemoArchive, 60 };
    platform::grid::Sheet design;
    QTemporaryDir settings;
    std::vector<std::unique_ptr<QTemporaryDir>> folders;
};

// The exports run in processes (the report state is one per process) while this process saves the one
// report again and again, alternating between two variants: every export shows one variant whole, never
// one variant's title with the other's widths or orientation.
TEST_P(ExportsDuringSaves, EveryExportShowsOneWholeVariant)
{
    const Variant variants[]
        = { { QStringLiteral("甲式文书目录"), 1500, false }, { QStringLiteral("乙式文书目录"), 3200, true } };
    Shown shown[2];
    for (int v = 0; v < 2; ++v) {
        ASSERT_TRUE(save(variants[v]));
        shown[v] = exportAlone();
        ASSERT_EQ(shown[v].title, variants[v].title);
    }
    ASSERT_NE(shown[0].widths, shown[1].widths);
    ASSERT_NE(shown[0].landscape, shown[1].landscape);

    constexpr int Rounds = 4;
    constexpr int ExportsAtOnce = 4;
    int saves = 0;
    QStringList workbooks;
    for (int round = 0; round < Rounds; ++round) {
        std::vector<std::unique_ptr<QProcess>> exports;
        for (int e = 0; e < ExportsAtOnce; ++e)
            exports.push_back(startExport());
        const auto running = [&] {
            for (const auto& process : exports) {
                if (!process->waitForFinished(0) && process->state() != QProcess::NotRunning)
                    return true;
            }
            return false;
        };
        // Saves as a busy clerk makes them, with a moment between: back to back, they would hold SQLite's
        // write lock almost without a break, and an export's own write (its log row) would wait past its
        // busy timeout and be refused.
        while (running()) {
            if (save(variants[saves % 2]))
                ++saves;
            QThread::msleep(50);
        }
        for (const auto& process : exports) {
            const QString workbook = workbookOf(*process);
            if (!workbook.isEmpty())
                workbooks.append(workbook);
        }
    }
    EXPECT_GE(saves, Rounds);
    ASSERT_FALSE(workbooks.isEmpty());
    for (const QString& workbook : workbooks) {
        const Shown found = shownIn(workbook);
        EXPECT_TRUE(found == shown[0] || found == shown[1])
            << workbook.toStdString() << " shows " << found.title.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Backends, ExportsDuringSaves, testing::ValuesIn(orvtest::allBackends()), orvtest::BackendTestName());

} // namespace

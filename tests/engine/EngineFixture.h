#pragma once

#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/db/SqlLiteral.h"
#include "platform/Error.h"
#include "platform/outside/ErrorLogObject.h"
#include "platform/outside/SettingsObject.h"
#include "platform/outside/SharedObjects.h"
#include "platform/ui/Printers.h"
#include "platform/ui/ScriptedPrinters.h"
#include "platform/ui/ScriptedUi.h"
#include "store/DefinitionReader.h"
#include "store/ReportDefinition.h"
#include "store/ReportState.h"
#include "support/TestDatabase.h"

#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <optional>
#include <ostream>
#include <QImage>
#include <QTemporaryDir>
#include <utility>

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace enginetest
{

inline const QString TestReportId = QStringLiteral("20240301100000000001");

// Sizes of the A4 paper of the scripted PDF printer.
constexpr int A4WidthTwips = 11906;
constexpr int A4HeightTwips = 16838;

// "@row|2|height@row|2|height..." as ROWHEIGHT and COLWIDTH rows store their sizes.
inline QString sizeList(std::initializer_list<std::pair<int, QString>> sizes)
{
    QString list;
    for (const auto& [index, size] : sizes)
        list += QStringLiteral("@%1|2|%2").arg(index).arg(size);
    return list;
}

// The number of the platform error that `run` throws, 0 when it throws none.
template <typename Run> int errorNumberOf(Run run)
{
    try {
        run();
    } catch (const platform::Error& error) {
        return error.number();
    }
    return 0;
}

// Each test starts from a fresh report state and a run of its own, scripted boxes, the PDF printer as the
// default printer (portrait, A4), and a database of its own holding the component's tables (or the
// demo archive); the state's report is TestReportId, whose rows the test writes.
class EngineTest : public orvtest::BackendTest
{
protected:
    using Content = orvtest::TestDatabase::Content;

    void SetUp() override { useDatabase(Content::Schema); }

    void TearDown() override
    {
        run = engine::DataReportRun {};
        store::reportState() = store::ReportState {};
        platform::outside::releaseShared();
        database.reset();
        platform::outside::setSettingsFolder(QString());
    }

    void useDatabase(Content content, int archiveRecords = 400)
    {
        run = engine::DataReportRun {};
        store::reportState() = store::ReportState {};
        platform::outside::setSettingsFolder(settings.path());
        platform::outside::releaseShared();
        database.emplace(GetParam(), content, archiveRecords);
        store::reportState().Connection = database->connection();
        store::reportState().ReportId = TestReportId;
        platform::outside::sharedErrorLog()->setConnection(database->connection());
        platform::ui::setDefaultPrinterOrientation(platform::ui::PrinterOrientation::Portrait);
        platform::ui::setDefaultPrinterPaperCode(platform::ui::papercodes::A4);
    }

    int execute(const QString& sql) { return database->connection()->execute(sql); }
    QString scalar(const QString& sql) const { return database->scalar(sql); }

    static QString text(const QString& value) { return platform::db::sqlText(value); }

    void index(
        const QString& name = QStringLiteral("测试报表"), const QString& group = QStringLiteral("wsda"))
    {
        execute(
            QStringLiteral("insert into report_index (report_id, report_name, report_type, report_group_id) "
                           "values (%1, %2, 1, %3)")
                .arg(text(TestReportId), text(name), text(group)));
    }

    void info(const QString& type, const QString& description, int order = 1, const QString& note = QString())
    {
        execute(QStringLiteral(
            "insert into report_info (report_id, info_type, info_order, info_description, note) "
            "values (%1, %2, %3, %4, %5)")
                    .arg(text(TestReportId), text(type))
                    .arg(order)
                    .arg(text(description), note.isNull() ? QStringLiteral("null") : text(note)));
    }

    void rowHeights(int firstRow, int lastRow, const QString& list)
    {
        format(QStringLiteral("ROWHEIGHT"), firstRow, 0, lastRow, 0, list);
    }

    void colWidths(const QString& list) { format(QStringLiteral("COLWIDTH"), 0, 0, 0, 0, list); }

    void format(
        const QString& type, int firstRow, int firstCol, int lastRow, int lastCol, const QString& description)
    {
        execute(
            QStringLiteral("insert into report_format (report_id, format_order, begin_row_no, begin_col_no, "
                           "end_row_no, end_col_no, format_type, format_description) "
                           "values (%1, %2, %3, %4, %5, %6, %7, %8)")
                .arg(text(TestReportId))
                .arg(++formatOrder)
                .arg(firstRow)
                .arg(firstCol)
                .arg(lastRow)
                .arg(lastCol)
                .arg(text(type), text(description)));
    }

    // A template cell; `content` is the whole cell content text ("@B|wsda.title").
    void cell(int row, int col, const QString& content)
    {
        execute(QStringLiteral(
            "insert into report_data (report_id, row_no, col_no, data_type, data_description1, "
            "data_description2) values (%1, %2, %3, %4, %5, '')")
                    .arg(text(TestReportId))
                    .arg(row)
                    .arg(col)
                    .arg(text(content.mid(1, 1)), text(content)));
    }

    // The state's report as stored, changed by `change` (when given), becomes the definition the run
    // works on.
    void useDefinition(const std::function<void(store::ReportDefinition&)>& change = {})
    {
        store::ReportDefinition definition = *store::ReadReportDefinition(store::reportState().ReportId);
        if (change)
            change(definition);
        run.useDefinition(std::make_shared<const store::ReportDefinition>(std::move(definition)));
    }

    // The definition in use (an empty one when none is), changed by `change`, stays the one in use.
    void changeDefinition(const std::function<void(store::ReportDefinition&)>& change)
    {
        const auto& inUse = run.Definition;
        store::ReportDefinition definition = inUse ? *inUse : store::ReportDefinition {};
        change(definition);
        run.useDefinition(std::make_shared<const store::ReportDefinition>(std::move(definition)));
    }

    // The procedures whose failures were logged, sorted.
    QStringList loggedProcedures() const
    {
        QStringList names;
        for (const QStringList& row :
            database->rows(QStringLiteral("select procedure_name from orv_error_log")))
            names.append(row.value(0));
        return names;
    }

    // A small picture file for picture cells (files.filePath of another name is a file that is missing).
    QString picture()
    {
        const QString path = files.filePath(QStringLiteral("seal.png"));
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        EXPECT_TRUE(image.save(path));
        return path;
    }

    QTemporaryDir settings;
    QTemporaryDir files;
    platform::ui::ScriptedUi ui;
    platform::ui::ScriptedPrinters printers { platform::ui::PrinterScript {
        { platform::ui::PdfPrinterName }, platform::ui::PdfPrinterName } };
    std::optional<orvtest::TestDatabase> database;
    engine::DataReportRun run; // the build under test
    int formatOrder = 0;
};

} // namespace enginetest

// Runs an EngineTest suite on every available database.
#define ENGINE_TEST_SUITE(suite)                                                                             \
    INSTANTIATE_TEST_SUITE_P(                                                                                \
        Backends, suite, testing::ValuesIn(orvtest::allBackends()), orvtest::BackendTestName())

#include "output/WordReport.h"
#include "output/TemplateFiles.h"

#include "engine/DataSource.h"
#include "engine/EngineState.h"
#include "engine/PagePipeline.h"
#include "engine/SqlClauses.h"
#include "output/WordPlaceholders.h"
#include "platform/db/Recordset.h"
#include "platform/Error.h"
#include "platform/outside/DesktopOpen.h"
#include "platform/outside/FailureLog.h"
#include "platform/outside/HandOverFolder.h"
#include "platform/outside/PrivateFolder.h"
#include "platform/outside/SharedObjects.h"
#include "platform/outside/SqlAdapterObject.h"
#include "platform/outside/WordDocument.h"
#include "platform/ui/FailureBox.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/MessagePump.h"
#include "store/DefinitionReader.h"
#include "store/ReportDefinition.h"
#include "store/ReportLog.h"
#include "store/ReportState.h"
#include "store/UserNotice.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace output
{

namespace
{

const QString Open = QStringLiteral("<#");
const QString Close = QStringLiteral("#>");

// Ends the run with the message a user sees.
struct RunEnded {
    QString message;
    QString title;
};

[[noreturn]] void endRun(const QString& message, const QString& title = WordReportTitle)
{
    throw RunEnded { message, title };
}

// What the template asks before any record is read: the records of one copy, the group fields and the
// record query of an "I" placeholder.
struct TemplateScan {
    int rowsPerCopy = 1;
    QStringList groupFields;
    QString recordQuery;
    bool anyPlaceholder = false;
};

TemplateScan scanTemplate(platform::outside::WordDocument& document)
{
    TemplateScan scan;
    QString previousRow;
    document.visitLastCopy(
        Open, Close,
        [&](const QString& content) -> std::optional<QString> {
            scan.anyPlaceholder = true;
            const Placeholder placeholder = SplitPlaceholder(content, previousRow);
            previousRow = placeholder.rowPart;
            scan.rowsPerCopy = std::max(scan.rowsPerCopy, RowNumber(placeholder.rowPart));
            if (placeholder.rowPart == QLatin1String("G"))
                scan.groupFields.append(placeholder.expression);
            else if (placeholder.rowPart == QLatin1String("I"))
                scan.recordQuery = placeholder.expression;
            return std::nullopt;
        },
        [&] { previousRow = QStringLiteral("1"); });
    return scan;
}

// The query of the records: the template's own record query with the report's and the host's
// conditions, or the report's query.
QString dataQuery(engine::DataReportRun& report, const QString& recordQuery)
{
    const store::SqlPieces& sql = report.definition().sql;
    if (recordQuery.isEmpty())
        return engine::BuildDataSourceSql(report, sql.SqlSelect);
    QString query = recordQuery;
    QString order;
    if (const qsizetype at = query.indexOf(QLatin1String(" order "), 0, Qt::CaseInsensitive); at >= 0) {
        order = query.mid(at);
        query.truncate(at);
    }
    QString where
        = engine::JoinSqlCondition(sql.SqlWhere, store::reportState().SelectWhere, QStringLiteral(" and "));
    if (!where.trimmed().isEmpty())
        where = QStringLiteral(" where ") + where;
    return query + where + order;
}

// Reads one copy's records; stops at the end of the data or before a record whose group changed.
CopyRecords readCopy(platform::db::Recordset& data, PlaceholderContext& context, int rowsPerCopy,
    int& recordCounter, WordReportProgress& progress, int maximum)
{
    CopyRecords copy;
    for (int row = 1; row <= rowsPerCopy; ++row) {
        progress.setValue(std::min(recordCounter, maximum));
        context.groupChanged = context.UpdatePrevValues();
        if (data.eof() || (context.groupChanged && copy.recordsInCopy > 0))
            break;
        QStringList values;
        for (int column = 0; column < data.fieldCount(); ++column)
            values.append(data.text(column));
        copy.values.push_back(values);
        copy.positions.push_back(data.absolutePosition());
        data.moveNext();
        ++recordCounter;
        ++copy.recordsInCopy;
    }
    return copy;
}

void fillCopy(platform::outside::WordDocument& document, PlaceholderContext& context, const CopyRecords& copy)
{
    QString previousRow;
    document.visitLastCopy(
        Open, Close,
        [&](const QString& content) -> std::optional<QString> {
            const Placeholder placeholder = SplitPlaceholder(content, previousRow);
            previousRow = placeholder.rowPart;
            if (placeholder.expression.trimmed().isEmpty() || placeholder.rowPart == QLatin1String("I"))
                return QString();
            const int row = RowNumber(placeholder.rowPart);
            const std::optional<QString> value = context.EvalPlaceholder(
                placeholder.expression, placeholder.rowPart, row <= copy.recordsInCopy, copy);
            if (!value)
                return QStringLiteral("找不到字段：") + placeholder.expression;
            if (row > 0 && !placeholder.formatPart.trimmed().isEmpty())
                return FormatFieldValue(*value, placeholder.formatPart);
            if (row > 0 || placeholder.rowPart == QLatin1String("G"))
                return *value;
            return std::nullopt; // a row part the template does not define: evaluated, left in place
        },
        [&] { previousRow = QStringLiteral("1"); });
}

// The template as a .docx: a .doc template is converted into `workFolder` first.
QString docxTemplate(const QString& templatePath, const QString& workFolder)
{
    if (!templatePath.endsWith(QLatin1String(".doc"), Qt::CaseInsensitive))
        return templatePath;
    try {
        return platform::outside::convertToDocx(templatePath, workFolder);
    } catch (const platform::Error& error) {
        if (error.number() == platform::outside::NoConverterError)
            endRun(QStringLiteral("无法调用WORD，请检查是否已正确安装！"));
        throw;
    }
}

QString run(const QString& templateName, WordReportProgress& progress)
{
    auto& state = store::reportState();
    if (!state.Connection)
        throw platform::Error(
            platform::errors::InvalidArgument, QStringLiteral("Word报表"), QStringLiteral("没有数据库连接"));
    engine::DataReportRun report(store::ReadReportDefinition(state.ReportId));
    engine::CheckReportSortOrder(report);
    const store::SqlPieces& sql = report.definition().sql;
    const auto adapter = platform::outside::sharedSqlAdapter();
    // The columns are known before any record is read.
    std::unique_ptr<platform::db::Recordset> data = adapter->open(
        QStringLiteral("select %1 from %2 where 1=2").arg(sql.SqlSelect, sql.TablesName), *state.Connection);

    progress.showStatus(QStringLiteral("报表初始化，请稍候......"));
    const QString templatePath = TemplatePath(templateName);
    if (!QFileInfo::exists(templatePath))
        endRun(MissingTemplateText(templatePath));
    // The filled document is handed to the desktop opener by its path; a converted template is read back
    // by its path too: both lie in the user's own folder, where no other account can swap them.
    const platform::outside::PrivateFolder folder(WordReportFolder());
    QTemporaryDir workFolder(QDir(folder.path()).filePath(QStringLiteral("convert-XXXXXX")));
    if (!workFolder.isValid())
        throw platform::Error(platform::errors::FileError, QStringLiteral("Word报表"),
            QStringLiteral("不能在 %1 中创建文件夹：%2").arg(folder.path(), workFolder.errorString()));
    auto document = platform::outside::WordDocument::open(docxTemplate(templatePath, workFolder.path()));
    store::WriteReportLog(QStringLiteral("打印"));
    platform::ui::pumpMessages();

    const TemplateScan scan = scanTemplate(document);
    if (!scan.anyPlaceholder)
        endRun(QStringLiteral("该报表模板有错或您同时还在运行其他WORD程序！"));
    data = adapter->open(dataQuery(report, scan.recordQuery), *state.Connection);
    if (data->eof())
        endRun(QStringLiteral("没有打印数据！"));

    PlaceholderContext context(state.Connection, *data, sql.TablesName.split(QLatin1Char(',')));
    for (const QString& field : scan.groupFields) {
        if (const int column = context.GetFieldIndex(field); column >= 0)
            context.addGroupField(column);
    }
    const int maximum = data->recordCount();
    progress.setMaximum(maximum);
    progress.showStatus(QStringLiteral("报表生成中，请稍候......"));
    int recordCounter = 1;
    while (!data->eof()) {
        platform::ui::pumpMessages();
        const CopyRecords copy = readCopy(*data, context, scan.rowsPerCopy, recordCounter, progress, maximum);
        context.groupPageCounter = context.groupChanged ? 1 : context.groupPageCounter + 1;
        fillCopy(document, context, copy);
        if (!data->eof()) {
            document.appendCopy();
            context.firstCopy = false;
        }
    }

    const QString name = QStringLiteral("%1-%2.docx")
                             .arg(QFileInfo(templateName).completeBaseName(),
                                 QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmsszzz")));
    document.save(folder, name);
    const QString output = QDir(folder.path()).filePath(name);
    QString failure;
    if (!platform::outside::openWithDesktop(output, &failure))
        store::NoticeUser(failure, platform::ui::Icon::Information, WordReportTitle);
    return output;
}

} // namespace

QString WordReportFolder()
{
    return platform::outside::handOverFolder();
}

QString CreateWordReport(const QString& templateName, WordReportProgress& progress)
{
    try {
        return run(templateName, progress);
    } catch (const RunEnded& ended) {
        store::NoticeUser(ended.message, platform::ui::Icon::Information, ended.title);
    } catch (const std::exception& error) {
        platform::outside::reportFailure("CreateWordReport", error);
        store::NoticeUser(platform::ui::failureText(error), platform::ui::Icon::Critical, WordReportTitle);
    }
    return {};
}

} // namespace output

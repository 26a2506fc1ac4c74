#include "DemoDatabase.h"

#include "ArchiveRecords.h"
#include "DemoFormulas.h"
#include "DemoReports.h"

#include "platform/db/Connection.h"
#include "platform/Error.h"

#include <functional>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace demo
{

namespace
{

using platform::db::Connection;
using platform::db::Dialect;

const QString Source = QStringLiteral("demo");

QString scriptText(const QString& name)
{
    QFile file(QStringLiteral(":/sql/") + name);
    if (!file.open(QIODevice::ReadOnly))
        throw platform::Error(platform::errors::FileError, Source, QStringLiteral("缺少脚本 ") + name);
    return QString::fromUtf8(file.readAll());
}

QString dialectSuffix(const Connection& connection)
{
    return connection.dialect() == Dialect::PostgreSQL ? QStringLiteral("postgresql")
                                                       : QStringLiteral("sqlite");
}

struct ColumnDescription {
    const char* name;
    const char* type;
    const char* chineseName;
};

const ColumnDescription ArchiveColumns[] = {
    { "recid", "varchar", "记录号" },
    { "archive_no", "varchar", "档号" },
    { "folder_no", "varchar", "案卷号" },
    { "piece_no", "int", "件号" },
    { "year_folder_no", "int", "年度案卷号" },
    { "filing_year", "int", "归档年度" },
    { "retention", "varchar", "保管期限" },
    { "title", "varchar", "题名" },
    { "doc_date", "date", "成文日期" },
    { "page_no", "int", "页数" },
    { "man_name", "varchar", "男方姓名" },
    { "femail_name", "varchar", "女方姓名" },
    { "responsible", "varchar", "责任者" },
    { "archive_flag", "varchar", "组卷标志" },
    { "note", "varchar", "备注" },
};

const QString ArchiveTable = QStringLiteral("wsda");
const QString ArchiveChineseName = QStringLiteral("文书档案");

void describeArchive(Connection& connection)
{
    connection.execute(
        QStringLiteral(
            "insert into table_description (table_name, table_auxi_name, table_chn_name) values (?, ?, ?)"),
        { ArchiveTable, ArchiveChineseName, ArchiveChineseName });
    for (const ColumnDescription& column : ArchiveColumns)
        connection.execute(QStringLiteral("insert into table_struct_description (table_name, table_chn_name, "
                                          "column_name, column_type, column_chn_name, column_visible) "
                                          "values (?, ?, ?, ?, ?, 'T')"),
            { ArchiveTable, ArchiveChineseName, QString::fromUtf8(column.name),
                QString::fromUtf8(column.type), QString::fromUtf8(column.chineseName) });
}

QVariant textOrNull(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

void insertRecords(Connection& connection, const QList<ArchiveRecord>& records)
{
    QSqlQuery insert(connection.database());
    const QString sql = QStringLiteral(
        "insert into wsda (recid, archive_no, folder_no, piece_no, year_folder_no, filing_year, retention, "
        "title, doc_date, page_no, man_name, femail_name, responsible, archive_flag, note) "
        "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    if (!insert.prepare(sql))
        throw platform::Error(platform::errors::DatabaseError, Source, insert.lastError().text());
    for (const ArchiveRecord& r : records) {
        const QVariant values[] = { r.recid, r.archiveNo, r.folderNo, r.pieceNo, r.yearFolderNo, r.filingYear,
            r.retention, r.title, r.docDate.toString(Qt::ISODate), r.pageNo, r.manName, r.femailName,
            r.responsible, r.archiveFlag, textOrNull(r.note) };
        for (int i = 0; i < int(std::size(values)); ++i)
            insert.bindValue(i, values[i]);
        if (!insert.exec())
            throw platform::Error(platform::errors::DatabaseError, Source, insert.lastError().text());
    }
}

bool hasRows(Connection& connection, const QString& table)
{
    return connection.run(QStringLiteral("select 1 from %1 limit 1").arg(table)).next();
}

void inOneTransaction(Connection& connection, const std::function<void()>& work)
{
    connection.beginTrans();
    try {
        work();
    } catch (...) {
        connection.rollbackTrans();
        throw;
    }
    connection.commitTrans();
}

} // namespace

void createSchema(Connection& connection)
{
    inOneTransaction(connection, [&] {
        connection.executeScript(scriptText(QStringLiteral("schema-%1.sql").arg(dialectSuffix(connection))));
        if (!hasRows(connection, QStringLiteral("page_size")))
            connection.executeScript(scriptText(QStringLiteral("lookups.sql")));
    });
}

void createArchive(Connection& connection, int records, unsigned seed)
{
    inOneTransaction(connection, [&] {
        connection.executeScript(scriptText(QStringLiteral("archive-%1.sql").arg(dialectSuffix(connection))));
        insertRecords(connection, generateArchiveRecords(records, seed));
        describeArchive(connection);
        insertSampleReports(connection);
        insertSampleFormulas(connection);
    });
}

void ensureDemoDatabase(const QString& sqliteFile)
{
    if (QFileInfo::exists(sqliteFile))
        return;
    QDir().mkpath(QFileInfo(sqliteFile).absolutePath());
    const QString partial = sqliteFile + QStringLiteral(".partial");
    QFile::remove(partial);
    {
        const auto connection = Connection::open(QStringLiteral("sqlite:") + partial);
        createSchema(*connection);
        createArchive(*connection);
    }
    if (!QFile::rename(partial, sqliteFile))
        throw platform::Error(
            platform::errors::FileError, Source, QStringLiteral("不能建立演示数据库 ") + sqliteFile);
}

} // namespace demo

#include "DemoDatabase.h"

#include "ArchiveRecords.h"
#include "DemoFormulas.h"
#include "DemoReports.h"
#include "RelatedTables.h"

#include "platform/db/Connection.h"
#include "platform/db/SqlTokens.h"
#include "platform/Error.h"

#include <functional>
#include <initializer_list>
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

// The script `name` as the connected server reads it as written. The scripts write literals as standard
// SQL, where a backslash is a backslash ('\@'); PostgreSQL with standard_conforming_strings off would
// read it as an escape, so there a literal holding one is given as the escape string that reads the same
// on either setting.
QString scriptText(const QString& name, const Connection& connection)
{
    QFile file(QStringLiteral(":/sql/") + name);
    if (!file.open(QIODevice::ReadOnly))
        throw platform::Error(platform::errors::FileError, Source, QStringLiteral("缺少脚本 ") + name);
    QString script;
    for (const platform::db::SqlToken& token :
        platform::db::tokenizeSql(QString::fromUtf8(file.readAll()), connection.dialect())) {
        const bool backslash
            = token.kind == platform::db::SqlToken::Kind::Text && token.text.contains(QLatin1Char('\\'));
        script += backslash
            ? connection.literal(
                token.text.mid(1, token.text.size() - 2).replace(QLatin1String("''"), QLatin1String("'")))
            : token.text;
    }
    return script;
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

struct TableDescription {
    const char* name;
    const char* chineseName;
    std::initializer_list<ColumnDescription> columns;
};

const TableDescription ArchiveTables[] = {
    { "wsda", "文书档案",
        { { "recid", "varchar", "记录号" }, { "archive_no", "varchar", "档号" },
            { "folder_no", "varchar", "案卷号" }, { "piece_no", "int", "件号" },
            { "year_folder_no", "int", "年度案卷号" }, { "filing_year", "int", "归档年度" },
            { "retention", "varchar", "保管期限" }, { "title", "varchar", "题名" },
            { "doc_date", "date", "成文日期" }, { "page_no", "int", "页数" },
            { "man_name", "varchar", "男方姓名" }, { "femail_name", "varchar", "女方姓名" },
            { "responsible", "varchar", "责任者" }, { "archive_flag", "varchar", "组卷标志" },
            { "note", "varchar", "备注" } } },
    { "wsaj", "文书案卷",
        { { "recid", "varchar", "记录号" }, { "folder_no", "varchar", "案卷号" },
            { "filing_year", "int", "归档年度" }, { "year_folder_no", "int", "年度案卷号" },
            { "retention", "varchar", "保管期限" }, { "title", "varchar", "案卷题名" },
            { "piece_count", "int", "件数" }, { "page_count", "int", "总页数" } } },
    { "wsfj", "文书附件",
        { { "recid", "varchar", "记录号" }, { "doc_recid", "varchar", "文件记录号" },
            { "attach_no", "int", "附件号" }, { "title", "varchar", "附件题名" },
            { "page_no", "int", "页数" } } },
};

// Volumes are the masters of their documents by folder number, documents of their attachments by
// record id.
const char* const Relations[][4] = {
    { "wsaj", "wsda", "folder_no", "folder_no" },
    { "wsda", "wsfj", "recid", "doc_recid" },
};

void describeArchive(Connection& connection)
{
    for (const TableDescription& table : ArchiveTables) {
        const QString name = QString::fromUtf8(table.name);
        const QString chineseName = QString::fromUtf8(table.chineseName);
        connection.execute(QStringLiteral("insert into table_description (table_name, table_auxi_name, "
                                          "table_chn_name) values (?, ?, ?)"),
            { name, chineseName, chineseName });
        for (const ColumnDescription& column : table.columns)
            connection.execute(QStringLiteral("insert into table_struct_description (table_name, "
                                              "table_chn_name, column_name, column_type, column_chn_name, "
                                              "column_visible) values (?, ?, ?, ?, ?, 'T')"),
                { name, chineseName, QString::fromUtf8(column.name), QString::fromUtf8(column.type),
                    QString::fromUtf8(column.chineseName) });
    }
    for (const auto& relation : Relations)
        connection.execute(
            QStringLiteral("insert into tables_relation (m_table_name, s_table_name, m_col_name, "
                           "s_col_name, relation_no) values (?, ?, ?, ?, 1)"),
            { QString::fromUtf8(relation[0]), QString::fromUtf8(relation[1]), QString::fromUtf8(relation[2]),
                QString::fromUtf8(relation[3]) });
}

QVariant textOrNull(const QString& text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

// Runs one prepared insert per row of values.
void insertRows(Connection& connection, const QString& sql, const QList<QVariantList>& rows)
{
    QSqlQuery insert(connection.database());
    if (!insert.prepare(sql))
        throw platform::Error(platform::errors::DatabaseError, Source, insert.lastError().text());
    for (const QVariantList& values : rows) {
        for (int i = 0; i < values.size(); ++i)
            insert.bindValue(i, values[i]);
        if (!insert.exec())
            throw platform::Error(platform::errors::DatabaseError, Source, insert.lastError().text());
    }
}

void insertRecords(Connection& connection, const QList<ArchiveRecord>& records)
{
    QList<QVariantList> documents;
    for (const ArchiveRecord& r : records)
        documents.append({ r.recid, r.archiveNo, r.folderNo, r.pieceNo, r.yearFolderNo, r.filingYear,
            r.retention, r.title, r.docDate.toString(Qt::ISODate), r.pageNo, r.manName, r.femailName,
            r.responsible, r.archiveFlag, textOrNull(r.note) });
    insertRows(connection,
        QStringLiteral(
            "insert into wsda (recid, archive_no, folder_no, piece_no, year_folder_no, filing_year, "
            "retention, title, doc_date, page_no, man_name, femail_name, responsible, archive_flag, "
            "note) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        documents);
    QList<QVariantList> volumes;
    for (const VolumeRecord& v : volumesOf(records))
        volumes.append({ v.recid, v.folderNo, v.filingYear, v.yearFolderNo, v.retention, v.title,
            v.pieceCount, v.pageCount });
    insertRows(connection,
        QStringLiteral("insert into wsaj (recid, folder_no, filing_year, year_folder_no, retention, title, "
                       "piece_count, page_count) values (?, ?, ?, ?, ?, ?, ?, ?)"),
        volumes);
    QList<QVariantList> attachments;
    for (const AttachmentRecord& a : attachmentsOf(records))
        attachments.append({ a.recid, a.docRecid, a.attachNo, a.title, a.pageNo });
    insertRows(connection,
        QStringLiteral(
            "insert into wsfj (recid, doc_recid, attach_no, title, page_no) values (?, ?, ?, ?, ?)"),
        attachments);
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
        connection.executeScript(
            scriptText(QStringLiteral("schema-%1.sql").arg(dialectSuffix(connection)), connection));
        if (!hasRows(connection, QStringLiteral("page_size")))
            connection.executeScript(scriptText(QStringLiteral("lookups.sql"), connection));
    });
}

void createArchive(Connection& connection, int records, unsigned seed)
{
    inOneTransaction(connection, [&] {
        connection.executeScript(
            scriptText(QStringLiteral("archive-%1.sql").arg(dialectSuffix(connection)), connection));
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

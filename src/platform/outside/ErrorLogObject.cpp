#include "platform/outside/ErrorLogObject.h"

#include "platform/db/Connection.h"
#include "platform/outside/SettingsObject.h"

#include <cstdio>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSqlQuery>

namespace platform::outside
{

ErrorLogObject::ErrorLogObject() = default;
ErrorLogObject::~ErrorLogObject() = default;

void ErrorLogObject::setConnection(std::shared_ptr<db::Connection> connection)
{
    connection_ = std::move(connection);
}

QString ErrorLogObject::logFilePath()
{
    return QDir(settingsFolder()).filePath(QStringLiteral("orvreport-errors.log"));
}

void ErrorLogObject::write() noexcept
{
    try {
        if (!writeRow()) {
            const QString line = entryLine();
            if (!appendToFile(line))
                std::fprintf(stderr, "%s", line.toLocal8Bit().constData());
        }
    } catch (...) {
        std::fprintf(stderr, "OrvReport: an error could not be logged\n");
    }
    category_.clear();
    procedureName_.clear();
    source_.clear();
    number_ = 0;
    description_.clear();
}

bool ErrorLogObject::writeRow() noexcept
{
    try {
        if (!connection_ || connection_->inTransaction() || !connection_->database().isOpen())
            return false;
        // Outside the transaction that a build's reads share, which undoes everything and writes nothing.
        connection_->endSharedReads();
        QSqlQuery insert(connection_->database());
        if (!insert.prepare(QStringLiteral(
                "insert into orv_error_log(log_time, category, procedure_name, error_source, error_number, "
                "description) values(?, ?, ?, ?, ?, ?)")))
            return false;
        insert.addBindValue(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
        insert.addBindValue(category_);
        insert.addBindValue(procedureName_);
        insert.addBindValue(source_);
        insert.addBindValue(number_);
        insert.addBindValue(description_);
        return insert.exec();
    } catch (...) {
        return false;
    }
}

bool ErrorLogObject::appendToFile(const QString& line) noexcept
{
    try {
        const QString path = logFilePath();
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
            return false;
        const QByteArray bytes = line.toUtf8();
        return file.write(bytes) == bytes.size();
    } catch (...) {
        return false;
    }
}

QString ErrorLogObject::entryLine() const
{
    QString description = description_;
    description.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return QStringList { QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")),
        category_, procedureName_, source_, QString::number(number_), description }
               .join(QLatin1Char('\t'))
        + QLatin1Char('\n');
}

} // namespace platform::outside

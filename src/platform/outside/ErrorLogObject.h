#pragma once

#include <memory>
#include <QString>

namespace platform::db
{
class Connection;
}

namespace platform::outside
{

// Records failures of the store and the engine. Callers fill the fields in the order category,
// procedure name, source, number, description and then call write().
// A row goes into the table orv_error_log of the host's database when a connection is set and no
// transaction is open on it (a row written inside a transaction would vanish with its rollback, which
// is the usual fate of a failed save); otherwise, or when the insert fails, a line goes to the log
// file, and when even that fails, to stderr. write() never throws: logging must not turn a handled
// failure into a new one.
class ErrorLogObject
{
public:
    ErrorLogObject();
    ~ErrorLogObject();

    void setConnection(std::shared_ptr<db::Connection> connection);
    const std::shared_ptr<db::Connection>& connection() const { return connection_; }

    void setCategory(const QString& category) { category_ = category; }
    void setProcedureName(const QString& procedureName) { procedureName_ = procedureName; }
    void setSource(const QString& source) { source_ = source; }
    void setNumber(int number) { number_ = number; }
    void setDescription(const QString& description) { description_ = description; }

    // Writes the entry and clears the fields (not the connection), so that a later entry never
    // carries a value left over from this one.
    void write() noexcept;

    // The log file: "orvreport-errors.log" in the settings folder.
    static QString logFilePath();

private:
    bool writeRow() noexcept;
    bool appendToFile(const QString& line) noexcept;
    QString entryLine() const;

    std::shared_ptr<db::Connection> connection_;
    QString category_;
    QString procedureName_;
    QString source_;
    int number_ = 0;
    QString description_;
};

} // namespace platform::outside

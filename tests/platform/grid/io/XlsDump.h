#pragma once

#include <ostream>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>

// Runs xls_dump.py (python3-xlrd, a reader independent of our writer) on a file and returns the
// JSON it prints. Fails the running test when the reader reports an error or a warning.
QJsonObject xlsDump(const QString& path, const QStringList& options = {});

// The system python holds xlrd; a python earlier on PATH may not.
QString pythonWithXlrd();

// Failures show JSON as JSON.
inline void PrintTo(const QJsonArray& json, std::ostream* os)
{
    *os << QJsonDocument(json).toJson(QJsonDocument::Compact).toStdString();
}
inline void PrintTo(const QJsonObject& json, std::ostream* os)
{
    *os << QJsonDocument(json).toJson(QJsonDocument::Compact).toStdString();
}

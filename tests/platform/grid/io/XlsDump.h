#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

// Runs xls_dump.py (python3-xlrd, a reader independent of our writer) on a file and returns the
// JSON it prints. Fails the running test when the reader reports an error or a warning.
QJsonObject xlsDump(const QString& path, const QStringList& options = {});

// The system python holds xlrd; a python earlier on PATH may not.
QString pythonWithXlrd();

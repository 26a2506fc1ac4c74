#include "XlsDump.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>

QString pythonWithXlrd()
{
    const QString system
        = QStandardPaths::findExecutable(QStringLiteral("python3"), { QStringLiteral("/usr/bin") });
    return system.isEmpty() ? QStringLiteral("python3") : system;
}

QJsonObject xlsDump(const QString& path, const QStringList& options)
{
    const QString script = orvtest::testsFile(QStringLiteral("platform/grid/io/xls_dump.py"));
    QProcess process;
    process.start(pythonWithXlrd(), QStringList { script } + options + QStringList { path });
    if (!process.waitForFinished(300000)) {
        ADD_FAILURE() << "xls_dump.py did not finish";
        return {};
    }
    if (process.exitCode() != 0) {
        ADD_FAILURE() << "xls_dump.py failed: " << process.readAllStandardError().toStdString();
        return {};
    }
    // The reader logs what it finds odd in a file; a sound file gives it nothing to say.
    const QByteArray warnings = process.readAllStandardError();
    EXPECT_TRUE(warnings.isEmpty()) << "xls_dump.py reports: " << warnings.toStdString();
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(process.readAllStandardOutput(), &error);
    EXPECT_FALSE(json.isNull()) << error.errorString().toStdString();
    return json.object();
}

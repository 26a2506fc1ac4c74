#pragma once

#include <optional>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

namespace orvtest
{

// The pages that a spreadsheet program prints of a workbook, as text, one entry per page: LibreOffice
// converts it to PDF without a window (with a profile of its own, so that runs side by side do not
// meet), and pdftotext reads the pages back. None when LibreOffice is not installed.
inline std::optional<QStringList> spreadsheetPrintout(const QString& workbook)
{
    const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (office.isEmpty())
        return std::nullopt;
    QTemporaryDir folder;
    auto run = [](const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(180000) || process.exitCode() != 0)
            return QByteArray();
        return process.readAllStandardOutput();
    };
    run(office,
        { QStringLiteral("-env:UserInstallation=file://") + folder.filePath(QStringLiteral("profile")),
            QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
            QStringLiteral("--outdir"), folder.path(), workbook });
    const QString pdf = folder.filePath(QFileInfo(workbook).completeBaseName() + QStringLiteral(".pdf"));
    QStringList pages = QString::fromUtf8(
        run(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), pdf, QStringLiteral("-") }))
                            .split(QLatin1Char('\f'));
    pages.removeLast(); // after the last page's form feed
    return pages;
}

} // namespace orvtest

#include "support/SpreadsheetPrintout.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSize>
#include <QStandardPaths>

namespace orvtest
{

namespace
{

QByteArray run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(180000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

} // namespace

std::optional<QString> spreadsheetPdf(const QString& workbook, const QString& folder)
{
    const QString office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (office.isEmpty())
        return std::nullopt;
    run(office,
        { QStringLiteral("-env:UserInstallation=file://") + QDir(folder).filePath(QStringLiteral("profile")),
            QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("pdf"),
            QStringLiteral("--outdir"), folder, workbook });
    return QDir(folder).filePath(QFileInfo(workbook).completeBaseName() + QStringLiteral(".pdf"));
}

QStringList pdfPageTexts(const QString& pdf)
{
    QStringList pages = QString::fromUtf8(
        run(QStringLiteral("pdftotext"), { QStringLiteral("-layout"), pdf, QStringLiteral("-") }))
                            .split(QLatin1Char('\f'));
    pages.removeLast(); // after the last page's form feed
    return pages;
}

QList<QSize> pdfImageSizes(const QString& pdf)
{
    QList<QSize> sizes;
    const QStringList lines
        = QString::fromUtf8(run(QStringLiteral("pdfimages"), { QStringLiteral("-list"), pdf })).split(u'\n');
    for (const QString& line : lines.mid(2)) { // below the column headings and their rule
        const QStringList fields = line.simplified().split(u' ');
        if (fields.size() > 4 && fields[2] == QLatin1String("image")) // not the masks of transparent ones
            sizes.append(QSize(fields[3].toInt(), fields[4].toInt()));
    }
    return sizes;
}

} // namespace orvtest

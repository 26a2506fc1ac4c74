#pragma once

#include "platform/ui/Printers.h"

#include <algorithm>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

namespace orvtest
{

// While alive, printing goes to the PDF printer, one file per print job in a folder of its own; the
// folder and the default printer of before come back afterwards. The files are read back with pdfinfo
// and pdftotext.
class PdfPrints
{
public:
    PdfPrints()
        : formerPrinter_(platform::ui::defaultPrinterName())
    {
        platform::ui::setPdfPrinterFolder(folder_.path());
        platform::ui::selectDefaultPrinter(platform::ui::PdfPrinterName);
    }
    ~PdfPrints()
    {
        platform::ui::selectDefaultPrinter(formerPrinter_);
        platform::ui::setPdfPrinterFolder({});
    }
    PdfPrints(const PdfPrints&) = delete;
    PdfPrints& operator=(const PdfPrints&) = delete;

    // The files written, one per print job, in the order of the jobs.
    QStringList jobs() const
    {
        QStringList files = QDir(folder_.path()).entryList({ QStringLiteral("*.pdf") }, QDir::Files);
        std::sort(files.begin(), files.end(),
            [](const QString& a, const QString& b) { return jobNumber(a) < jobNumber(b); });
        for (QString& file : files)
            file = QDir(folder_.path()).filePath(file);
        return files;
    }

    static int pageCount(const QString& pdf)
    {
        const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info(pdf));
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }

    // What pdfinfo tells of the file ("Pages:", "Page size:", ...).
    static QString info(const QString& pdf) { return run("pdfinfo", { pdf }); }

    // The text of one page (from 1).
    static QString pageText(const QString& pdf, int page)
    {
        return run(
            "pdftotext", { "-layout", "-f", QString::number(page), "-l", QString::number(page), pdf, "-" });
    }

    // The text of every page, in order.
    static QStringList pageTexts(const QString& pdf)
    {
        QStringList pages = run("pdftotext", { "-layout", pdf, "-" }).split(u'\f');
        pages.removeLast(); // after the last page's form feed
        return pages;
    }

    int totalPages() const
    {
        int pages = 0;
        for (const QString& job : jobs())
            pages += pageCount(job);
        return pages;
    }

private:
    // The printer names its files "...-<job>.pdf".
    static int jobNumber(const QString& file)
    {
        const auto match = QRegularExpression(QStringLiteral("-(\\d+)\\.pdf$")).match(file);
        return match.hasMatch() ? match.captured(1).toInt() : 0;
    }

    static QString run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            return {};
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    QString formerPrinter_;
    QTemporaryDir folder_;
};

} // namespace orvtest

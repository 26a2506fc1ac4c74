#include "platform/ui/Printers.h"

#include "platform/Error.h"
#include "platform/ui/ScriptedPrinters.h"

#include <cmath>
#include <QAtomicInt>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

namespace platform::ui
{

namespace
{

constexpr double TwipsPerInch = 1440.0;

// The default printer as printing leaves it: which printer, and its orientation and paper.
struct DefaultPrinterState {
    QString selectedName; // "" until a printer is selected: the system's default
    PrinterOrientation orientation = PrinterOrientation::Portrait;
    bool paperKnown = false;
    int paperCode = papercodes::A4;
    QSizeF customSizeMillimetres { 210.0, 297.0 };
    QString pdfFolder;
};

DefaultPrinterState& state()
{
    static DefaultPrinterState printer;
    return printer;
}

Error printerFault(int number, const QString& description)
{
    return Error(number, QStringLiteral("Printer"), description);
}

QString systemDefaultPrinterName()
{
    const QString name = QPrinterInfo::defaultPrinterName();
    return name.isEmpty() ? PdfPrinterName : name;
}

bool isPdfPrinter(const QString& name)
{
    return name.compare(PdfPrinterName, Qt::CaseInsensitive) == 0;
}

// Raises the printer error when the default printer does not answer.
void checkDefaultPrinter()
{
    if (const ScriptedPrinters* scripted = ScriptedPrinters::active()) {
        if (scripted->script().orientationError != 0)
            throw printerFault(scripted->script().orientationError, QStringLiteral("打印机错误"));
        if (scripted->defaultPrinter().isEmpty())
            throw printerFault(errors::PrinterFault, QStringLiteral("没有默认打印机"));
        return;
    }
    const QString name = defaultPrinterName();
    if (!isPdfPrinter(name) && QPrinterInfo::printerInfo(name).isNull())
        throw printerFault(errors::PrinterFault, QStringLiteral("打印机“%1”没有响应").arg(name));
}

// The paper a printer starts with: its own default paper, A4 for the PDF printer.
int initialPaperCode(const QString& printerName)
{
    if (isPdfPrinter(printerName) || ScriptedPrinters::active())
        return papercodes::A4;
    const int code = paperCodeForPageSize(QPrinterInfo::printerInfo(printerName).defaultPageSize());
    return code == papercodes::Custom ? papercodes::A4 : code;
}

int knownPaperCode()
{
    if (!state().paperKnown) {
        state().paperCode = initialPaperCode(defaultPrinterName());
        state().paperKnown = true;
    }
    return state().paperCode;
}

QPageSize defaultPrinterPageSize()
{
    const int code = knownPaperCode();
    if (code == papercodes::Custom)
        return QPageSize(
            state().customSizeMillimetres, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    return pageSizeForPaperCode(code);
}

// Twips per unit of a page size's own definition, so that no rounding to another unit creeps in.
double twipsPerUnit(QPageSize::Unit unit)
{
    switch (unit) {
    case QPageSize::Millimeter:
        return TwipsPerInch / 25.4;
    case QPageSize::Point:
        return 20.0;
    case QPageSize::Inch:
        return TwipsPerInch;
    case QPageSize::Pica:
        return 240.0;
    case QPageSize::Didot:
        return TwipsPerInch / 25.4 * 0.376;
    case QPageSize::Cicero:
        return TwipsPerInch / 25.4 * 4.512;
    }
    return 20.0;
}

QSizeF pageSizeTwips()
{
    const QPageSize page = defaultPrinterPageSize();
    QSizeF twips = page.definitionSize() * twipsPerUnit(page.definitionUnits());
    if (defaultPrinterOrientation() == PrinterOrientation::Landscape)
        twips.transpose();
    return twips;
}

QString newPdfFilePath()
{
    static QAtomicInt jobCounter;
    const QDir folder(pdfPrinterFolder());
    folder.mkpath(QStringLiteral("."));
    const QString stem
        = QStringLiteral("OrvReport-%1-%2")
              .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-hhmmss-zzz")))
              .arg(QCoreApplication::applicationPid());
    QString path;
    do {
        path = folder.filePath(
            QStringLiteral("%1-%2.pdf").arg(stem).arg(jobCounter.fetchAndAddRelaxed(1) + 1));
    } while (QFileInfo::exists(path));
    return path;
}

} // namespace

QStringList installedPrinters()
{
    if (const ScriptedPrinters* scripted = ScriptedPrinters::active()) {
        if (scripted->script().listError != 0)
            throw printerFault(scripted->script().listError, QStringLiteral("无法列出打印机"));
        return scripted->script().printers;
    }
    QStringList names = QPrinterInfo::availablePrinterNames();
    names.append(PdfPrinterName);
    return names;
}

QString defaultPrinterName()
{
    if (const ScriptedPrinters* scripted = ScriptedPrinters::active())
        return scripted->defaultPrinter();
    return state().selectedName.isEmpty() ? systemDefaultPrinterName() : state().selectedName;
}

bool selectDefaultPrinter(const QString& name)
{
    const QString wanted = name.trimmed();
    for (const QString& installed : installedPrinters()) {
        if (installed.compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        if (ScriptedPrinters* scripted = ScriptedPrinters::active())
            scripted->selectDefaultPrinter(installed);
        else
            state().selectedName = installed;
        state().paperKnown = false;
        return true;
    }
    return false;
}

PrinterOrientation defaultPrinterOrientation()
{
    checkDefaultPrinter();
    return state().orientation;
}

void setDefaultPrinterOrientation(PrinterOrientation orientation)
{
    state().orientation = orientation;
}

int defaultPrinterPaperCode()
{
    checkDefaultPrinter();
    return knownPaperCode();
}

void setDefaultPrinterPaperCode(int paperCode)
{
    if (paperCode != papercodes::Custom && !pageSizeForPaperCode(paperCode).isValid())
        throw Error(errors::InvalidArgument, QStringLiteral("Printer"),
            QStringLiteral("无效的纸张代码 %1").arg(paperCode));
    state().paperCode = paperCode;
    state().paperKnown = true;
}

void setDefaultPrinterCustomSize(const QSizeF& sizeMillimetres)
{
    state().customSizeMillimetres = sizeMillimetres;
}

int defaultPrinterPageWidthTwips()
{
    return static_cast<int>(std::lround(pageSizeTwips().width()));
}

int defaultPrinterPageHeightTwips()
{
    return static_cast<int>(std::lround(pageSizeTwips().height()));
}

std::unique_ptr<QPrinter> makePrinter(const QString& name)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (isPdfPrinter(name)) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(newPdfFilePath());
    } else {
        const QPrinterInfo info = QPrinterInfo::printerInfo(name);
        if (info.isNull())
            throw printerFault(errors::PrinterFault, QStringLiteral("没有安装打印机“%1”").arg(name));
        printer->setPrinterName(info.printerName());
    }
    printer->setPageSize(defaultPrinterPageSize());
    printer->setPageOrientation(state().orientation == PrinterOrientation::Landscape ? QPageLayout::Landscape
                                                                                     : QPageLayout::Portrait);
    return printer;
}

QString pdfPrinterFolder()
{
    if (!state().pdfFolder.isEmpty())
        return state().pdfFolder;
    const QString fromEnvironment = qEnvironmentVariable("ORV_PDF_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QDir::home().filePath(QStringLiteral("OrvReport-PDF"));
}

void setPdfPrinterFolder(const QString& folder)
{
    state().pdfFolder = folder;
}

} // namespace platform::ui

#include "store/ReportRoutes.h"

#include "platform/outside/OutsideReportComponent.h"
#include "platform/ui/FailureBox.h"
#include "platform/ui/MessagePump.h"
#include "store/DefinitionReader.h"
#include "store/PairedList.h"
#include "store/PrinterProbe.h"
#include "store/ReportLookups.h"
#include "store/ReportState.h"
#include "store/WindowSeams.h"

namespace store
{

namespace
{

// The report that the outside report component builds instead of the grid.
const QString OutsideComponentReportName = QStringLiteral("全引目录2");

enum class Road { ReportPrinter, Word, OutsideComponent, Grid };

Road roadOf(const QString& note, const QString& reportId)
{
    if (note.contains(QLatin1String(".rpt"), Qt::CaseInsensitive))
        return Road::ReportPrinter;
    if (note.contains(QLatin1String(".doc"), Qt::CaseInsensitive))
        return Road::Word;
    if (GetReportName(reportId) == OutsideComponentReportName)
        return Road::OutsideComponent;
    return Road::Grid;
}

void runOutsideComponent()
{
    const auto& state = reportState();
    auto component
        = platform::outside::createOutsideReportComponent(QString::fromUtf8(platform::outside::TolrepProgId));
    component->setConnection(state.Connection);
    component->setSelectWhere(state.SelectWhere);
    component->setSelectOrder(state.SelectOrder);
    component->setReportId(state.ReportId);
    component->work();
}

// Takes a road other than the grid's.
void takeTemplateRoad(Road road, const QString& note)
{
    const auto& seams = windowSeams();
    switch (road) {
    case Road::ReportPrinter:
        if (seams.RunReportPrinter)
            seams.RunReportPrinter(note);
        break;
    case Road::Word:
        if (seams.ShowWordReport)
            seams.ShowWordReport(note);
        break;
    case Road::OutsideComponent:
        runOutsideComponent();
        break;
    case Road::Grid:
        break;
    }
}

template <class F> void ignoringErrors(F&& step)
{
    try {
        step();
    } catch (const std::exception&) {
        // The step is skipped, as the member's contract says.
    }
}

void showPrintWindow(PrintWindowUse use)
{
    if (windowSeams().frmPrint)
        windowSeams().frmPrint(use);
}

// Ends the silent mode when WebPrint ends, so that a later preview shows its messages again.
struct SilentModeScope {
    SilentModeScope() { reportState().WebPrintMode = true; }
    ~SilentModeScope() { reportState().WebPrintMode = false; }
};

} // namespace

void PrintReport()
{
    auto& state = reportState();
    std::optional<PairedListBatch> pairedList;
    if (pairedListReportFor(state.ReportId)) {
        pairedList = PreparePairedListData(state.ReportId);
        if (!pairedList)
            return;
    }
    const QString note = GetReportNote(state.ReportId);
    const Road road = roadOf(note, state.ReportId);
    if (road != Road::Grid) {
        takeTemplateRoad(road, note);
        return;
    }
    if (!ProbePrinter(ProbeMember::PrintReport))
        return;
    ReadRptIndex();
    ignoringErrors([] {
        if (windowSeams().frmPrintMSG)
            windowSeams().frmPrintMSG();
    });
}

void PreviewPrint()
{
    auto& state = reportState();
    std::optional<PairedListBatch> pairedList;
    if (pairedListReportFor(state.ReportId)) {
        bool refused = false;
        ignoringErrors([&] {
            pairedList = PreparePairedListData(state.ReportId);
            refused = !pairedList;
        });
        if (refused)
            return;
    }
    QString note;
    ignoringErrors([&] { note = GetReportNote(state.ReportId); });
    Road road = Road::Grid;
    ignoringErrors([&] { road = roadOf(note, state.ReportId); });
    if (road != Road::Grid) {
        platform::ui::showingFailures({}, [&] { takeTemplateRoad(road, note); });
        return;
    }
    if (!ProbePrinter(ProbeMember::PreviewPrint))
        return;
    ignoringErrors([] { showPrintWindow(PrintWindowUse::ShowModal); });
    pairedList.reset();
    platform::ui::pumpMessages();
}

void PreviewBlankPage()
{
    if (!ProbePrinter(ProbeMember::PreviewBlankPage))
        return;
    ignoringErrors([] {
        if (windowSeams().frmPreview)
            windowSeams().frmPreview();
    });
}

void WebPrint()
{
    auto& state = reportState();
    state.ErrorMessage.clear();
    state.WebReportPath.clear();
    const SilentModeScope silent;
    if (!ProbePrinter(ProbeMember::WebPrint))
        return;
    ignoringErrors([] { showPrintWindow(PrintWindowUse::LoadSilently); });
    platform::ui::pumpMessages();
}

} // namespace store

#include "engine/EngineState.h"

#include "platform/db/Recordset.h"
#include "platform/Error.h"

namespace engine
{

DataReportRun::DataReportRun(std::shared_ptr<const store::ReportDefinition> definition)
    : Definition(std::move(definition))
{
}

DataReportRun::~DataReportRun() = default;
DataReportRun::DataReportRun(DataReportRun&&) noexcept = default;
DataReportRun& DataReportRun::operator=(DataReportRun&&) noexcept = default;

const store::ReportDefinition& DataReportRun::definition() const
{
    if (!Definition)
        throw platform::Error(
            platform::errors::InvalidArgument, QStringLiteral("OrvReport"), QStringLiteral("没有报表定义。"));
    return *Definition;
}

void DataReportRun::useDefinition(std::shared_ptr<const store::ReportDefinition> definition)
{
    Definition = std::move(definition);
    Template.reset();
}

void DataReportRun::resetForPreparation()
{
    // The definition and the window that receives pictures belong to the caller. The papers were measured by
    // the entry checks that run just before every preparation (the designed paper, and the printer's page
    // when printing), and the preparation lays its pages out on them.
    const std::shared_ptr<const store::ReportDefinition> definition = Definition;
    OutputForm* output = Output;
    const int designPaperWidth = DesignPaperWidth;
    const int designPaperHeight = DesignPaperHeight;
    const int printerPaperWidth = PrinterPaperWidth;
    const int printerPaperHeight = PrinterPaperHeight;
    *this = DataReportRun {};
    Definition = definition;
    Output = output;
    DesignPaperWidth = designPaperWidth;
    DesignPaperHeight = designPaperHeight;
    PrinterPaperWidth = printerPaperWidth;
    PrinterPaperHeight = printerPaperHeight;
}

} // namespace engine

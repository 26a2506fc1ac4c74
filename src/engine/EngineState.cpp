#include "engine/EngineState.h"

#include "platform/db/Recordset.h"
#include "platform/Error.h"

namespace engine
{

void DataEngineState::resetForPreparation()
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
    *this = DataEngineState {};
    Definition = definition;
    Output = output;
    DesignPaperWidth = designPaperWidth;
    DesignPaperHeight = designPaperHeight;
    PrinterPaperWidth = printerPaperWidth;
    PrinterPaperHeight = printerPaperHeight;
}

DataEngineState& dataEngine()
{
    static DataEngineState state;
    return state;
}

const store::ReportDefinition& reportDefinition()
{
    const auto& definition = dataEngine().Definition;
    if (!definition)
        throw platform::Error(
            platform::errors::InvalidArgument, QStringLiteral("OrvReport"), QStringLiteral("没有报表定义。"));
    return *definition;
}

} // namespace engine

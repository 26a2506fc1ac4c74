#include "engine/EngineState.h"

#include "platform/db/Recordset.h"

namespace engine
{

void DataEngineState::resetForPreparation()
{
    // The window that receives pictures belongs to the caller. The papers were measured by the entry
    // checks that run just before every preparation (the designed paper, and the printer's page when
    // printing), and the preparation lays its pages out on them.
    OutputForm* output = Output;
    const int designPaperWidth = DesignPaperWidth;
    const int designPaperHeight = DesignPaperHeight;
    const int printerPaperWidth = PrinterPaperWidth;
    const int printerPaperHeight = PrinterPaperHeight;
    *this = DataEngineState {};
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

} // namespace engine

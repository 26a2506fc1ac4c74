#include "platform/ui/ScriptedPrinters.h"

namespace platform::ui
{

namespace
{
ScriptedPrinters* activePrinters = nullptr;
}

ScriptedPrinters::ScriptedPrinters(PrinterScript script)
    : script_(std::move(script))
    , outer_(activePrinters)
{
    activePrinters = this;
}

ScriptedPrinters::~ScriptedPrinters()
{
    activePrinters = outer_;
}

ScriptedPrinters* ScriptedPrinters::active()
{
    return activePrinters;
}

} // namespace platform::ui

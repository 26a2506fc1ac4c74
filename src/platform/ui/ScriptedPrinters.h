#pragma once

#include <QString>
#include <QStringList>

namespace platform::ui {

// What the printer system answers while a ScriptedPrinters is alive.
struct PrinterScript {
    QStringList printers;   // the installed printers, exactly (no "PDF" is added)
    QString defaultPrinter; // "" when there is none
    int listError = 0;        // when not 0, listing the printers throws platform::Error with this number
    int orientationError = 0; // when not 0, reading the default printer's orientation throws it
};

// Replaces the machine's printers for tests of the printer checks; restores them when it ends.
class ScriptedPrinters {
public:
    explicit ScriptedPrinters(PrinterScript script);
    ~ScriptedPrinters();
    ScriptedPrinters(const ScriptedPrinters&) = delete;
    ScriptedPrinters& operator=(const ScriptedPrinters&) = delete;

    static const PrinterScript* active();

private:
    PrinterScript script_;
    const PrinterScript* outer_;
};

} // namespace platform::ui

#pragma once

#include <QString>
#include <QStringList>

namespace platform::ui
{

// What the printer system answers while a ScriptedPrinters is alive.
struct PrinterScript {
    QStringList printers; // the installed printers, exactly (no "PDF" is added)
    QString defaultPrinter; // "" when there is none
    int listError = 0; // when not 0, listing the printers throws platform::Error with this number
    int orientationError = 0; // when not 0, reading the default printer's orientation or paper throws it
};

// Replaces the machine's printers for tests of the printer checks; restores them when it ends.
// A printer selected as default while it lasts stays the default only while it lasts.
class ScriptedPrinters
{
public:
    explicit ScriptedPrinters(PrinterScript script);
    ~ScriptedPrinters();
    ScriptedPrinters(const ScriptedPrinters&) = delete;
    ScriptedPrinters& operator=(const ScriptedPrinters&) = delete;

    static ScriptedPrinters* active();

    const PrinterScript& script() const { return script_; }
    const QString& defaultPrinter() const { return script_.defaultPrinter; }
    void selectDefaultPrinter(const QString& name) { script_.defaultPrinter = name; }

private:
    PrinterScript script_;
    ScriptedPrinters* outer_;
};

} // namespace platform::ui

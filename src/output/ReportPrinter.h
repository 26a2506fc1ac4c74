#pragma once

namespace platform::grid
{
class Sheet;
}

// Printing a built report on the default printer (the host may have chosen it; the PDF printer when the
// machine has none).
namespace output
{

// False when no printer is installed or the printer system does not answer.
bool PrinterInstalled();

// Turns the default printer to the current report's orientation.
void TurnPrinterToReport();

// Prints the sheet with its page setup and print area, after the printer dialog when asked; returns the
// pages printed (0 when the dialog was cancelled). Throws platform::Error when the printer fails.
int PrintOnDefaultPrinter(const platform::grid::Sheet& sheet, bool withDialog);

} // namespace output

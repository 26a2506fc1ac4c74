#pragma once

#include "platform/ui/Refusal.h"

#include <optional>
#include <QString>

namespace store
{
struct ReportState;
}

// The page settings as the page-setup dialog shows and checks them: margins and paper in centimetres
// while the report state holds margins in inches, the records-per-page modes, the defaults and the
// input checks.
namespace dialogs
{

// The paper whose size the user gives; every other paper has the size of its page_size row.
inline const QString CustomPaperName = QStringLiteral("自定义");
inline const QString DefaultPaperName = QStringLiteral("A4");

// The print type: how many records a page holds.
enum class RowsMode { FixedCount = 0, FixedHeight = 1, AutoHeight = 2 };

// What the dialog's boxes and options hold; numbers as typed.
struct PageSetupForm {
    QString leftMarge, rightMarge, topMarge, bottomMarge; // centimetres
    QString paperName;
    QString paperWidth, paperHeight; // centimetres
    bool landscape = false;
    RowsMode rowsMode = RowsMode::FixedCount;
    QString rows; // records per page, used under RowsMode::FixedCount
    bool selfFit = true;
    bool pageRecount = true;

    bool operator==(const PageSetupForm&) const = default;
};

// 1 cm = 567 twips, 1 inch = 1440 twips; nothing is rounded.
double CentimetresFromInches(double inches);
double InchesFromCentimetres(double centimetres);

// The form of the state's settings, all but the paper, which the paper table gives. Margins show as the
// shortest decimal text of their centimetres: 0.7875 inches show as "2".
PageSetupForm FormFromState(const store::ReportState& state);

// The form after "默认": margins 2, 1, 1, 1 cm, A4 of 21 × 29.7 cm upright, ten records a page,
// self-fitting and group page recount on.
PageSetupForm DefaultForm();

enum class SetupTab { Margins = 0, Paper = 1, ReportParameters = 2 };
enum class SetupField { LeftMarge, RightMarge, TopMarge, BottomMarge, Rows, PaperWidth, PaperHeight };

// Why OK is refused: the message (title "提示信息"), the box that gets the focus and the tab to show
// (none: stay on the current one).
using SetupRefusal = platform::ui::Refusal<SetupField>;
SetupRefusal RefuseSetup(const QString& message, SetupField focus, std::optional<SetupTab> tab);

// Which parts of the form the user can change and are therefore checked: the rows box only while it is
// editable (not for a statistics report, whose loaded value goes back unchanged), the paper size only
// for the custom paper (a standard paper's size is the table's, whatever its size).
struct CheckedParts {
    bool rows = true;
    bool paperSize = false;
};

// Checks margins, rows and paper size in this order; none when OK may write.
std::optional<SetupRefusal> ValidatePageSetup(const PageSetupForm& form, CheckedParts parts);

// Writes a checked form into the state's page settings, with the paper code of the chosen paper.
void WritePageSetup(const PageSetupForm& form, int paperCode, store::ReportState& state);

} // namespace dialogs

#pragma once

#include "platform/ui/MessageBox.h"
#include "platform/ui/Refusal.h"

#include <functional>
#include <optional>
#include <QList>
#include <QString>
#include <variant>

// What the data-source dialog decides: which content kinds a report type offers, how each panel's boxes
// become a cell content text ("@" letter "|" body) and how a content text is read back into the boxes,
// and the checks of OK and of what enters the number boxes.
namespace dialogs
{

// The panel in use; None while the root, "字段" or a table node is selected.
enum class SourceKind : int {
    None = -1,
    Text = 0,
    Fields = 1,
    Sql = 2,
    SysArg = 3,
    Pic = 4,
    InFormu = 5,
    SpecFormu = 6,
    SqlFormu = 7,
    SumCol = 8,
};

struct KindNode {
    QString key;
    QString caption;
    SourceKind kind;
};

// The kind nodes under the root "数据源" for a report type, in tree order; none for an unknown type.
QList<KindNode> KindNodes(int reportType);

// The node that shows a kind ("Text", "Fields", ...).
QString NodeKeyOfKind(SourceKind kind);

// What the panels' boxes hold.
struct DataSourceForm {
    SourceKind kind = SourceKind::Text;
    QString text {}; // txtText
    // The field as chosen: the table's and the column's Chinese names, kept apart so that a "." inside
    // either never splits them; a field read back from a cell is all column (it may already end in
    // "(table)").
    QString fieldTable {};
    QString fieldColumn {};
    bool fieldOption = false; // ChkSX
    bool insertMode = false; // chkInsert: insert characters rather than take some
    bool front = false; // optFrt chosen, else OptBck
    QString optionChars {}; // TxtChar: the start position, or the characters to insert
    QString optionCount {}; // TxtChar1: how many characters to take
    QString sql {};
    bool autoCondition = false; // chkAutoSelect "自动条件"
    bool dataSource = false; // chkSelR "作数据源"
    QString sysArg {};
    QString picture {};
    QString function {}; // cboFormula
    QString region {};
    QString specFormula {};
    QString sqlFormula {};
    QString sqlFormulaDesc {};
    QString sumColumn {}; // CboSelCol

    bool operator==(const DataSourceForm&) const = default;
};

// The field as the field box shows it: "table.column", or the column alone.
QString FieldBoxText(const DataSourceForm& form);
// A field typed into the field box: split at its last "." into table and column.
void SetFieldFromBox(DataSourceForm& form, const QString& boxText);

// The content text that a panel builds as its boxes change; none for a panel that builds only on OK
// (SQL, built-in formula) and for a field without a name.
std::optional<QString> PanelSourceText(const DataSourceForm& form, int reportType, bool severalTables);

// A cell's content text read back into the boxes (kind and the boxes of its panel); a text that is no
// content text, or whose kind the report type's tree lacks, leaves the form as it is.
void ShowCellContent(const QString& cellText, int reportType, DataSourceForm& form);

// The option group of a field body read into the option boxes; the name before it goes to fieldColumn.
void ParseFieldOptions(const QString& body, DataSourceForm& form);
// "SUM(C3:C9)" read into the function and region boxes.
void ParseBuiltinFormula(const QString& body, DataSourceForm& form);

// The control that gets the focus after a refusal.
enum class SourceFocus { OptionChars, OptionCount, Sql, Region, SumColumn };

// OK: the content text for the panel in use, built from `soFar` (what the panels built last) and the
// boxes; or why OK is refused (a refusal without a message is silent).
platform::ui::Checked<QString, SourceFocus> ConfirmSource(
    const DataSourceForm& form, const QString& soFar, int reportType, bool severalTables);

// The letter of an SQL cell: "G" in a statistics report, else I, J, K or L by the two check boxes.
QChar SqlLetter(int reportType, bool autoCondition, bool dataSource);

// True when an SQL text may be stored (see the cpp for the rule).
bool CheckSqlStatement(const QString& sql, bool dataSource);
// A built-in formula's region names cells joined or spanned (":", "+", "-" or "/").
bool IsRegionValid(const QString& region);

// Whether the parameter button of the SQL panel is enabled after a change of the SQL box whose caret is
// `caret` (characters before it); `enabled` is its state before.
bool UpdateSelectButton(const QString& sql, int caret, bool enabled);

// A character entering the option boxes: the one to keep, or none when refused ("@", "&", a character that
// types nothing such as a pasted tab, and in take mode anything but a digit).
std::optional<QChar> FilterOptionChar(QChar c, bool takeMode);
// A character entering the column box holding `current`: upper-cased, refused when it is no letter A to Z
// or the box holds two characters already; "." passes.
std::optional<QChar> FilterColumnChar(QChar c, const QString& current);

// What a box keeps of an edit (typed, pasted or dropped) that leaves `text` with the caret at `caret`:
// the characters before the caret pass `filter` one by one, each judged with the text the box would hold
// around it; those behind the caret stay, kept before. The kept text and its caret.
struct FilteredEdit {
    QString text;
    int caret = 0;
};
using CharFilter = std::function<std::optional<QChar>(QChar c, const QString& current)>;
FilteredEdit FilterEdit(const QString& text, int caret, const CharFilter& filter);

} // namespace dialogs

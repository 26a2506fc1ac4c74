#pragma once

#include <optional>
#include <QString>
#include <QStringList>

// The papers the page-setup dialog offers (page_size) and the custom paper of the current report's
// definition. Every statement runs on the state's connection through the SQL adapter; a failing one
// throws platform::Error.
namespace dialogs
{

// The paper names in the order the table gives them, trimmed.
QStringList PaperNames();
// The name of a paper code; "" when the table has none.
QString PaperNameOfCode(int paperCode);
// The code of a paper name; none when the table has no such paper.
std::optional<int> PaperCodeOfName(const QString& paperName);

// A paper's width and height in centimetres, as texts.
struct PaperSize {
    QString width;
    QString height;
    bool operator==(const PaperSize&) const = default;
};

// The size to show for a paper: for the custom paper the report's custom paper (store::CustomPaper), or,
// when its note holds none, the table's size of the custom paper; for any other paper the table's size.
// None when there is nothing to show: the report has no PAGE_SIZE row for the custom paper, or the table
// has no row of that name.
std::optional<PaperSize> PaperSizeToShow(const QString& paperName);

} // namespace dialogs

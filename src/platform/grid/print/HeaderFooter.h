#pragma once

#include <QDateTime>
#include <QString>

namespace platform::grid
{

// A page header or footer as printed: its left, centre and right parts.
struct HeaderFooterText {
    QString left;
    QString center;
    QString right;
    bool isEmpty() const { return left.isEmpty() && center.isEmpty() && right.isEmpty(); }
    bool operator==(const HeaderFooterText&) const = default;
};

// Expands the codes of a header or footer text as spreadsheets write them: &L, &C and &R start the
// left, centre and right part (the centre when none is named), &P is the page number, &N the number
// of pages, &D the date, &T the time, && an ampersand. Font codes (&"name", &12, &B, &I, &U, &S...)
// and the file and sheet names (&F, &A), which a printed report has not, are dropped.
HeaderFooterText expandHeaderFooter(const QString& text, int page, int pages, const QDateTime& now);

} // namespace platform::grid

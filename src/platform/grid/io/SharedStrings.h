#pragma once

#include "BiffWriter.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace platform::grid::io
{

// The workbook's shared string table: every distinct cell text once, cells refer to it by index.
class SharedStrings
{
public:
    // A cell holds at most this many characters; longer texts are cut.
    static constexpr int kMaxCellChars = 32767;

    quint32 add(const QString& text); // counts one more use and returns the text's index
    quint32 uniqueCount() const { return quint32(strings_.size()); }
    quint32 totalCount() const { return total_; }

    // SST with CONTINUE records as needed (a string may be split between records, never inside a
    // character), then EXTSST with the positions of every bucket's first string.
    void write(BiffWriter& out) const;

private:
    QHash<QString, quint32> index_;
    QStringList strings_;
    quint32 total_ = 0;
};

} // namespace platform::grid::io

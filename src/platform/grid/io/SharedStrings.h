#pragma once

#include "BiffWriter.h"

#include <optional>
#include <QByteArray>
#include <QStringView>
#include <vector>

namespace platform::grid::io
{

// The workbook's shared string table: every distinct cell text once, cells refer to it by index.
// Each text is encoded once, when it is added, into the form the table stores; a hash of that form
// finds a text met before, so a cell costs one pass over its characters and no copy of a known text.
// The table waits in memory until the workbook is complete, so it takes new texts only up to a budget:
// beyond it a short text goes into its cell's own record, and the memory of a workbook of any length
// stays bounded.
class SharedStrings
{
public:
    // A cell holds at most this many characters; longer texts are cut.
    static constexpr int kMaxCellChars = 32767;
    // The bytes of distinct texts the table holds before it refers short new texts to their cells.
    static constexpr qsizetype kBudgetBytes = 8 << 20;
    // The longest text a cell's own record holds: longer texts go into the table whatever its size.
    static constexpr int kMaxCellRecordChars = 255;

    // Counts one more use of the text and returns its index; none when the text is to be written in
    // its cell's own record (new, short, and the table has spent its budget).
    std::optional<quint32> add(QStringView text);
    quint32 uniqueCount() const { return quint32(starts_.size()); }
    quint32 totalCount() const { return total_; }
    // About the bytes write() gives: the texts and the headers of their records.
    qsizetype writtenSizeBound() const;

    // SST with CONTINUE records as needed (a string may be split between records, never inside a
    // character), then EXTSST with the positions of every bucket's first string.
    void write(BiffWriter& out) const;

private:
    QByteArrayView stored(quint32 index) const;
    void grow();

    // The distinct texts one after another, each as the table stores it: character count, option
    // byte (0: one byte per character, 1: UTF-16) and characters.
    QByteArray texts_;
    std::vector<quint32> starts_; // where each text begins in texts_ (within the budget, below 4 GB)
    // Open addressing. A slot keeps its text's hash beside the index, so that a look-up reads one place
    // in memory for each text it passes over: the table is larger than the processor's caches.
    struct Slot {
        quint32 hash = 0;
        quint32 index = 0; // index + 1 of a text, 0 when free
    };
    std::vector<Slot> slots_;
    QByteArray encoded_; // the text being added, in its stored form
    quint32 total_ = 0;
};

} // namespace platform::grid::io

#pragma once

#include <QString>

// When the print window prints and how many pages one generation batch builds.
namespace output
{

constexpr int MinPagesPerBatch = 1;
constexpr int MaxPagesPerBatch = 500;

// The pages per batch as typed: a number (blanks and decimals allowed, rounded halves to even) from 1 to
// 500. Either pages is set, or refusal holds the message that refuses the text.
struct BatchPagesInput {
    int pages = 0;
    QString refusal;
};
BatchPagesInput ReadBatchPages(const QString& text);

// The caption of the print window's generate button: "生成后" + pages + "页报表(M)".
QString BatchButtonCaption(int pagesPerBatch);

} // namespace output

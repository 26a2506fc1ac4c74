#pragma once

#include <QString>

// Cell contents are stored in two columns of report_data: the beginning of a long content in
// data_description1, which holds at most 255 bytes in the GBK code page (the archive application's
// code page), and the rest in data_description2.
namespace store
{

constexpr int MaxFirstPartBytes = 255;

// The bytes a text takes in GBK. A character that GBK cannot write (an emoji, a rare ideograph, a
// no-break space) counts 4 bytes, as GB18030, the code page that extends GBK, writes every such
// character; so a first part never takes more than 255 bytes in either code page.
int gbkByteLength(QStringView text);

struct ContentParts {
    QString first;
    QString rest;
};

// A content that takes at most 255 bytes stays whole. A longer one is split after the longest beginning
// that takes at most 255 bytes, never inside a character, and moved back over blanks so that the first
// part never ends with one: every blank stays in the content, also at the split. joinContent gives the
// content back exactly.
ContentParts splitContent(const QString& content);

// The stored content: both parts joined, then blanks at its two ends removed.
QString joinContent(const QString& first, const QString& rest);

} // namespace store

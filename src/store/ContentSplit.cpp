#include "store/ContentSplit.h"

#include "store/TextConvert.h"

#include <QStringEncoder>

namespace store
{

namespace
{

constexpr int OutsideGbkBytes = 4;

class GbkMeasure
{
public:
    // The bytes of one character: one UTF-16 unit, or a surrogate pair (never in GBK).
    int bytesOf(QStringView character)
    {
        if (character.size() == 1 && character.at(0).unicode() < 0x80)
            return 1;
        if (character.size() != 1)
            return OutsideGbkBytes;
        // An unmappable character comes out as a single NUL byte, which GBK never writes otherwise.
        const QByteArray bytes = encoder_.encode(character);
        return bytes == QByteArray(1, '\0') ? OutsideGbkBytes : int(bytes.size());
    }

private:
    QStringEncoder encoder_ { "GBK",
        QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInvalidToNull };
};

qsizetype characterLength(QStringView text, qsizetype at)
{
    return text.at(at).isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate() ? 2 : 1;
}

// The number of UTF-16 units of the longest beginning that takes at most `bytes` bytes.
qsizetype prefixWithin(QStringView text, int bytes)
{
    GbkMeasure measure;
    qsizetype at = 0;
    int used = 0;
    while (at < text.size()) {
        const qsizetype length = characterLength(text, at);
        used += measure.bytesOf(text.mid(at, length));
        if (used > bytes)
            break;
        at += length;
    }
    return at;
}

} // namespace

int gbkByteLength(QStringView text)
{
    GbkMeasure measure;
    int bytes = 0;
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype length = characterLength(text, at);
        bytes += measure.bytesOf(text.mid(at, length));
        at += length;
    }
    return bytes;
}

ContentParts splitContent(const QString& content)
{
    if (gbkByteLength(content) <= MaxFirstPartBytes)
        return { content, {} };
    const qsizetype longest = prefixWithin(content, MaxFirstPartBytes);
    qsizetype cut = longest;
    while (cut > 0 && content.at(cut - 1) == QLatin1Char(' '))
        --cut;
    if (cut == 0)
        cut = longest;
    return { content.left(cut), content.mid(cut) };
}

QString joinContent(const QString& first, const QString& rest)
{
    return trimBlanks(first + rest);
}

} // namespace store

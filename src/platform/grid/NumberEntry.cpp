#include "NumberFormat.h"

#include <cmath>

namespace platform::grid
{

namespace
{

// Reads the digits of an entry from `i`: optional thousands separators, but only between groups of
// exactly three digits after a first group of one to three.
bool readIntegerPart(QStringView text, qsizetype& i, QString& digits)
{
    qsizetype groupLength = 0;
    bool grouped = false;
    while (i < text.size()) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            digits += c;
            ++groupLength;
            ++i;
        } else if (c == u',') {
            const bool firstGroupOk = !grouped && groupLength >= 1 && groupLength <= 3;
            const bool laterGroupOk = grouped && groupLength == 3;
            if (!firstGroupOk && !laterGroupOk)
                return false;
            grouped = true;
            groupLength = 0;
            ++i;
        } else {
            break;
        }
    }
    return !grouped || groupLength == 3;
}

bool readDigits(QStringView text, qsizetype& i, QString& digits)
{
    const qsizetype start = i;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
        digits += text[i++];
    return i > start;
}

} // namespace

bool parseNumberEntry(const QString& entry, double* number)
{
    // Most texts written into cells are no numbers, and their first character tells so.
    if (!entry.isEmpty()) {
        const QChar first = entry.front();
        const bool mayStartNumber = (first >= u'0' && first <= u'9') || first == u'-' || first == u'+'
            || first == u'.' || first.isSpace();
        if (!mayStartNumber)
            return false;
    }
    QStringView text = QStringView(entry).trimmed();
    bool percent = false;
    if (text.endsWith(u'%')) {
        percent = true;
        text.chop(1);
    }
    qsizetype i = 0;
    QString normal;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        normal += text[i++];
    QString digits;
    if (!readIntegerPart(text, i, digits))
        return false;
    bool hasDigits = !digits.isEmpty();
    if (i < text.size() && text[i] == u'.') {
        digits += text[i++];
        hasDigits = readDigits(text, i, digits) || hasDigits;
    }
    if (!hasDigits)
        return false;
    normal += digits;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        normal += u'e';
        ++i;
        if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
            normal += text[i++];
        if (!readDigits(text, i, normal))
            return false;
    }
    if (i != text.size())
        return false;
    bool ok = false;
    double value = normal.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return false;
    if (percent)
        value /= 100;
    if (number)
        *number = value;
    return true;
}

} // namespace platform::grid

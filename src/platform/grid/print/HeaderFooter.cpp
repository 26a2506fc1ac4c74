#include "HeaderFooter.h"

namespace platform::grid
{

HeaderFooterText expandHeaderFooter(const QString& text, int page, int pages, const QDateTime& now)
{
    HeaderFooterText result;
    QString* part = &result.center;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch != u'&' || i + 1 == text.size()) {
            part->append(ch);
            continue;
        }
        const QChar code = text[++i];
        switch (code.toUpper().unicode()) {
        case u'L':
            part = &result.left;
            break;
        case u'C':
            part = &result.center;
            break;
        case u'R':
            part = &result.right;
            break;
        case u'P':
            part->append(QString::number(page));
            break;
        case u'N':
            part->append(QString::number(pages));
            break;
        case u'D':
            part->append(now.toString(QStringLiteral("yyyy-MM-dd")));
            break;
        case u'T':
            part->append(now.toString(QStringLiteral("hh:mm")));
            break;
        case u'&':
            part->append(u'&');
            break;
        case u'"': {
            const qsizetype close = text.indexOf(u'"', i + 1);
            i = close < 0 ? text.size() - 1 : close;
            break;
        }
        default:
            while (i + 1 < text.size() && code.isDigit() && text[i + 1].isDigit())
                ++i;
            break;
        }
    }
    return result;
}

} // namespace platform::grid

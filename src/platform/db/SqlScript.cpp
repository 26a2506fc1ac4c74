#include "platform/db/SqlScript.h"

#include "platform/db/SingleStatement.h"
#include "platform/db/SqlTokens.h"

namespace platform::db
{

QStringList splitSqlScript(const QString& script)
{
    QStringList statements;
    QString current;
    auto finish = [&] {
        const QString statement = current.trimmed();
        if (!statement.isEmpty())
            statements << statement;
        current.clear();
    };

    qsizetype i = 0;
    while (i < script.size()) {
        const QChar c = script[i];
        if (c == QLatin1Char('-') && script.mid(i, 2) == QLatin1String("--")) {
            const qsizetype end = script.indexOf(QLatin1Char('\n'), i);
            i = end < 0 ? script.size() : end;
        } else if (c == QLatin1Char('/') && script.mid(i, 2) == QLatin1String("/*")) {
            const qsizetype end = script.indexOf(QLatin1String("*/"), i + 2);
            i = end < 0 ? script.size() : end + 2;
            current += QLatin1Char(' ');
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = delimitedEnd(script, i, c);
            current += script.mid(i, end - i);
            i = end;
        } else if (c == QLatin1Char('$') && dollarTagLength(script, i) > 0) {
            const QString tag = script.mid(i, dollarTagLength(script, i));
            const qsizetype close = script.indexOf(tag, i + tag.size());
            const qsizetype end = close < 0 ? script.size() : close + tag.size();
            current += script.mid(i, end - i);
            i = end;
        } else if (c == QLatin1Char(';')) {
            finish();
            ++i;
        } else {
            current += c;
            ++i;
        }
    }
    finish();
    return statements;
}

} // namespace platform::db

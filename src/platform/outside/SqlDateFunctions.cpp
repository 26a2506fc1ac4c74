#include "platform/outside/SqlDateFunctions.h"

#include <QHash>

namespace platform::outside::sqldate
{

namespace
{

using db::Dialect;

QString sqlitePart(DatePart part, const QString& value)
{
    auto field = [&](const char* format) {
        return QStringLiteral("CAST(strftime('%1', %2) AS INTEGER)").arg(QLatin1String(format), value);
    };
    switch (part) {
    case DatePart::Year:
        return field("%Y");
    case DatePart::Quarter:
        return QStringLiteral("((%1 + 2) / 3)").arg(field("%m"));
    case DatePart::Month:
        return field("%m");
    case DatePart::DayOfYear:
        return field("%j");
    case DatePart::Day:
        return field("%d");
    case DatePart::Weekday:
        return QStringLiteral("(%1 + 1)").arg(field("%w"));
    case DatePart::Hour:
        return field("%H");
    case DatePart::Minute:
        return field("%M");
    case DatePart::Second:
    case DatePart::Week:
        break;
    }
    return field("%S");
}

QString postgresPart(DatePart part, const QString& value)
{
    auto field = [&](const char* name) {
        return QStringLiteral("CAST(FLOOR(EXTRACT(%1 FROM CAST(%2 AS TIMESTAMP))) AS INTEGER)")
            .arg(QLatin1String(name), value);
    };
    switch (part) {
    case DatePart::Year:
        return field("YEAR");
    case DatePart::Quarter:
        return field("QUARTER");
    case DatePart::Month:
        return field("MONTH");
    case DatePart::DayOfYear:
        return field("DOY");
    case DatePart::Day:
        return field("DAY");
    case DatePart::Weekday:
        return QStringLiteral("(%1 + 1)").arg(field("DOW"));
    case DatePart::Hour:
        return field("HOUR");
    case DatePart::Minute:
        return field("MINUTE");
    case DatePart::Second:
    case DatePart::Week:
        break;
    }
    return field("SECOND");
}

} // namespace

std::optional<DatePart> datePartNamed(const QString& name)
{
    static const QHash<QString, DatePart> parts = {
        { "year", DatePart::Year },
        { "yy", DatePart::Year },
        { "yyyy", DatePart::Year },
        { "quarter", DatePart::Quarter },
        { "qq", DatePart::Quarter },
        { "q", DatePart::Quarter },
        { "month", DatePart::Month },
        { "mm", DatePart::Month },
        { "m", DatePart::Month },
        { "dayofyear", DatePart::DayOfYear },
        { "dy", DatePart::DayOfYear },
        { "y", DatePart::DayOfYear },
        { "day", DatePart::Day },
        { "dd", DatePart::Day },
        { "d", DatePart::Day },
        { "week", DatePart::Week },
        { "wk", DatePart::Week },
        { "ww", DatePart::Week },
        { "weekday", DatePart::Weekday },
        { "dw", DatePart::Weekday },
        { "hour", DatePart::Hour },
        { "hh", DatePart::Hour },
        { "minute", DatePart::Minute },
        { "mi", DatePart::Minute },
        { "n", DatePart::Minute },
        { "second", DatePart::Second },
        { "ss", DatePart::Second },
        { "s", DatePart::Second },
    };
    const auto found = parts.constFind(name.trimmed().toLower());
    return found == parts.constEnd() ? std::nullopt : std::optional<DatePart>(*found);
}

std::optional<QString> datePart(DatePart part, const QString& value, Dialect target)
{
    if (part == DatePart::Week)
        return std::nullopt;
    return target == Dialect::SQLite ? sqlitePart(part, value) : postgresPart(part, value);
}

std::optional<QString> dateAdd(DatePart part, const QString& amount, const QString& value, Dialect target)
{
    QString count = QStringLiteral("(%1)").arg(amount);
    const char* unit = "day";
    switch (part) {
    case DatePart::Year:
        unit = "year";
        break;
    case DatePart::Quarter:
        count = QStringLiteral("(%1 * 3)").arg(count);
        unit = "month";
        break;
    case DatePart::Month:
        unit = "month";
        break;
    case DatePart::Week:
        count = QStringLiteral("(%1 * 7)").arg(count);
        break;
    case DatePart::DayOfYear:
    case DatePart::Day:
    case DatePart::Weekday:
        break;
    case DatePart::Hour:
        unit = "hour";
        break;
    case DatePart::Minute:
        unit = "minute";
        break;
    case DatePart::Second:
        unit = "second";
        break;
    }
    if (target == Dialect::SQLite)
        return QStringLiteral("datetime(%1, %2 || ' %3s')").arg(value, count, QLatin1String(unit));
    return QStringLiteral("(CAST(%1 AS TIMESTAMP) + %2 * INTERVAL '1 %3')")
        .arg(value, count, QLatin1String(unit));
}

std::optional<QString> dateDiff(DatePart part, const QString& from, const QString& to, Dialect target)
{
    auto partDifference = [&](DatePart p) {
        return QStringLiteral("(%1 - %2)").arg(*datePart(p, to, target), *datePart(p, from, target));
    };
    auto scaled = [&](DatePart coarse, int factor, DatePart fine) {
        return QStringLiteral("(%1 * %2 + %3)")
            .arg(*dateDiff(coarse, from, to, target), QString::number(factor), partDifference(fine));
    };
    switch (part) {
    case DatePart::Year:
        return partDifference(DatePart::Year);
    case DatePart::Quarter:
        return scaled(DatePart::Year, 4, DatePart::Quarter);
    case DatePart::Month:
        return scaled(DatePart::Year, 12, DatePart::Month);
    case DatePart::DayOfYear:
    case DatePart::Day:
        if (target == Dialect::SQLite)
            return QStringLiteral("CAST(julianday(date(%1)) - julianday(date(%2)) AS INTEGER)").arg(to, from);
        return QStringLiteral("(CAST(CAST(%1 AS TIMESTAMP) AS DATE) - CAST(CAST(%2 AS TIMESTAMP) AS DATE))")
            .arg(to, from);
    case DatePart::Hour:
        return scaled(DatePart::Day, 24, DatePart::Hour);
    case DatePart::Minute:
        return scaled(DatePart::Hour, 60, DatePart::Minute);
    case DatePart::Second:
        return scaled(DatePart::Minute, 60, DatePart::Second);
    case DatePart::Week:
    case DatePart::Weekday:
        break;
    }
    return std::nullopt;
}

std::optional<QString> dateText(const QString& value, int style, Dialect target)
{
    struct Formats {
        const char* sqlite; // strftime
        const char* postgres; // to_char
    };
    Formats formats;
    switch (style) {
    case 20:
    case 120:
        formats = { "%Y-%m-%d %H:%M:%S", "YYYY-MM-DD HH24:MI:SS" };
        break;
    case 21:
    case 121:
        formats = { "%Y-%m-%d %H:%M:%f", "YYYY-MM-DD HH24:MI:SS.MS" };
        break;
    case 23:
        formats = { "%Y-%m-%d", "YYYY-MM-DD" };
        break;
    case 102:
        formats = { "%Y.%m.%d", "YYYY.MM.DD" };
        break;
    case 111:
        formats = { "%Y/%m/%d", "YYYY/MM/DD" };
        break;
    case 112:
        formats = { "%Y%m%d", "YYYYMMDD" };
        break;
    case 8:
    case 24:
    case 108:
        formats = { "%H:%M:%S", "HH24:MI:SS" };
        break;
    default:
        return std::nullopt;
    }
    if (target == Dialect::SQLite)
        return QStringLiteral("strftime('%1', %2)").arg(QLatin1String(formats.sqlite), value);
    return QStringLiteral("to_char(CAST(%1 AS TIMESTAMP), '%2')").arg(value, QLatin1String(formats.postgres));
}

} // namespace platform::outside::sqldate

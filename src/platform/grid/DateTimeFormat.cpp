#include "DateTimeFormat.h"

#include <cmath>
#include <QDate>
#include <QRegularExpression>

namespace platform::grid
{

namespace
{
// The day spreadsheets count their serial dates from.
const QDate SerialDayZero(1899, 12, 30);
} // namespace

namespace
{

constexpr double kLastSerialDay = 2958465; // 9999-12-31
const QString kOutOfRange = QStringLiteral("########");

const char* const kMonthNames[] = { "January", "February", "March", "April", "May", "June", "July", "August",
    "September", "October", "November", "December" };
const char* const kDayNames[]
    = { "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday" };
const QStringView kChineseDayNames = u"一二三四五六日";

QString padded(qint64 number, int width)
{
    return QString::number(number).rightJustified(width, u'0');
}

// The moment split into its parts, rounded to the smallest unit the section shows.
struct Moment {
    QDate date;
    qint64 totalSeconds = 0; // since the base date, for elapsed hours, minutes and seconds
    int hour = 0, minute = 0, second = 0;
    qint64 fraction = 0; // of a second, in units of 10^-fractionDigits
    int fractionDigits = 0;
    bool beforeChrist = false; // a year before 1 is written with the era "BC", not with a sign

    // Counted down to the unit below, so that a serial before day 0 gives its day and time of day.
    Moment(double serial, int digits)
        : fractionDigits(digits)
    {
        const auto floorDivided = [](qint64 dividend, qint64 divisor) {
            return dividend / divisor - (dividend % divisor < 0 ? 1 : 0);
        };
        const qint64 perSecond = qint64(std::pow(10, digits));
        const qint64 units = qint64(std::llround(serial * 86400.0 * double(perSecond)));
        totalSeconds = floorDivided(units, perSecond);
        fraction = units - totalSeconds * perSecond;
        const qint64 day = floorDivided(totalSeconds, 86400);
        date = SerialDayZero.addDays(day);
        const qint64 secondOfDay = totalSeconds - day * 86400;
        hour = int(secondOfDay / 3600);
        minute = int(secondOfDay / 60 % 60);
        second = int(secondOfDay % 60);
    }
};

QString amPmText(const QString& words, int hour)
{
    const QStringList choices = words.split(u'/');
    return hour < 12 ? choices.value(0) : choices.value(1);
}

QString partText(const FormatToken& token, const Moment& m, bool twelveHour)
{
    using Kind = FormatTokenKind;
    const int w = token.width;
    switch (token.kind) {
    case Kind::Year: {
        // A year before 1 keeps its sign, or stands without it before the era that the text ends with.
        const int year = m.date.year();
        const QString sign = year < 0 && !m.beforeChrist ? QStringLiteral("-") : QString();
        return w <= 2 ? sign + padded(std::abs(year) % 100, 2) : sign + padded(std::abs(year), 4);
    }
    case Kind::Month:
        if (w <= 2)
            return padded(m.date.month(), w);
        if (w == 3)
            return QString::fromLatin1(kMonthNames[m.date.month() - 1]).left(3);
        return w == 4 ? QString::fromLatin1(kMonthNames[m.date.month() - 1])
                      : QString::fromLatin1(kMonthNames[m.date.month() - 1]).left(1);
    case Kind::Day:
        if (w <= 2)
            return padded(m.date.day(), w);
        return w == 3 ? QString::fromLatin1(kDayNames[m.date.dayOfWeek() - 1]).left(3)
                      : QString::fromLatin1(kDayNames[m.date.dayOfWeek() - 1]);
    case Kind::Hour:
        return padded(twelveHour ? (m.hour + 11) % 12 + 1 : m.hour, std::min(w, 2));
    case Kind::Minute:
        return padded(m.minute, std::min(w, 2));
    case Kind::Second:
        return padded(m.second, std::min(w, 2));
    case Kind::SecondFraction:
        return u'.' + padded(m.fraction, m.fractionDigits).left(w);
    case Kind::ElapsedHours:
        return padded(m.totalSeconds / 3600, w);
    case Kind::ElapsedMinutes:
        return padded(m.totalSeconds / 60, w);
    case Kind::ElapsedSeconds:
        return padded(m.totalSeconds, w);
    case Kind::ChineseWeekday:
        return (w == 3 ? QString() : QStringLiteral("星期")) + kChineseDayNames[m.date.dayOfWeek() - 1];
    case Kind::AmPm:
        return amPmText(token.text, m.hour);
    default:
        return token.text;
    }
}

// The section's text for a serial: from 0001-01-01 to 9999-12-31, or any year for `anyYear`.
QString sectionText(
    const FormatSection& section, double serial, bool anyYear = false, bool beforeChrist = false)
{
    int fractionDigits = 0;
    for (const FormatToken& token : section.tokens) {
        if (token.kind == FormatTokenKind::SecondFraction)
            fractionDigits = std::max(fractionDigits, token.width);
    }
    Moment moment(serial, fractionDigits);
    if (moment.date.year() > 9999 && !anyYear)
        return kOutOfRange;
    moment.beforeChrist = beforeChrist && moment.date.year() < 0;
    QString result;
    for (const FormatToken& token : section.tokens)
        result += partText(token, moment, section.hasAmPm);
    return moment.beforeChrist ? result + QStringLiteral(" BC") : result;
}

} // namespace

QString formatDateTime(const FormatSection& section, double serial)
{
    if (!(serial >= 0 && serial < kLastSerialDay + 1))
        return kOutOfRange;
    return sectionText(section, serial);
}

QString formatDateTime(const FormatSection& section, const QDateTime& moment, bool beforeChrist)
{
    return sectionText(section, serialOf(moment), true, beforeChrist);
}

std::optional<WrittenDate> readDateBeyondYears(QStringView text)
{
    static const QRegularExpression written(QStringLiteral(
        R"(^(-?\d{4,})-(\d{1,2})-(\d{1,2})(?:[ T](\d{1,2}):(\d{1,2})(?::(\d{1,2})(?:\.\d+)?)?)?(?:[+-]\d{2}(?::?\d{2})?)?( BC)?$)"));
    const QRegularExpressionMatch match = written.match(text.trimmed().toString());
    if (!match.hasMatch())
        return std::nullopt;
    const QStringView yearText = match.capturedView(1);
    const bool negative = yearText.startsWith(u'-');
    const bool beforeChrist = match.hasCaptured(7);
    bool yearOk = false;
    const int year = yearText.toInt(&yearOk);
    // Only what a date format cannot read itself: a year of five digits or more, or an era.
    const bool longYear = yearText.size() - (negative ? 1 : 0) > 4;
    if (!yearOk || year == 0 || (negative && beforeChrist) || !(longYear || beforeChrist))
        return std::nullopt;
    const QDate date(
        beforeChrist ? -year : year, match.capturedView(2).toInt(), match.capturedView(3).toInt());
    const QTime time(
        match.capturedView(4).toInt(), match.capturedView(5).toInt(), match.capturedView(6).toInt());
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return WrittenDate { QDateTime(date, time), beforeChrist };
}

double serialOf(const QDateTime& moment)
{
    return SerialDayZero.daysTo(moment.date()) + moment.time().msecsSinceStartOfDay() / 86400000.0;
}

} // namespace platform::grid

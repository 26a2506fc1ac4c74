#include "DateTimeFormat.h"

#include <cmath>
#include <QDate>

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
    case Kind::Year:
        return w <= 2 ? padded(m.date.year() % 100, 2) : padded(m.date.year(), 4);
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

// The section's text for any serial from 0001-01-01 on.
QString sectionText(const FormatSection& section, double serial)
{
    int fractionDigits = 0;
    for (const FormatToken& token : section.tokens) {
        if (token.kind == FormatTokenKind::SecondFraction)
            fractionDigits = std::max(fractionDigits, token.width);
    }
    const Moment moment(serial, fractionDigits);
    if (moment.date.year() > 9999)
        return kOutOfRange;
    QString result;
    for (const FormatToken& token : section.tokens)
        result += partText(token, moment, section.hasAmPm);
    return result;
}

} // namespace

QString formatDateTime(const FormatSection& section, double serial)
{
    if (!(serial >= 0 && serial < kLastSerialDay + 1))
        return kOutOfRange;
    return sectionText(section, serial);
}

QString formatDateTime(const FormatSection& section, const QDateTime& moment)
{
    return sectionText(section, serialOf(moment));
}

double serialOf(const QDateTime& moment)
{
    return SerialDayZero.daysTo(moment.date()) + moment.time().msecsSinceStartOfDay() / 86400000.0;
}

} // namespace platform::grid

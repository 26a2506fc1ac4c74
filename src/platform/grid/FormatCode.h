#pragma once

#include <memory>
#include <QList>
#include <QString>

namespace platform::grid
{

// A number-format code taken apart: up to four sections (positive; negative; zero; text), each a
// sequence of tokens. Colour tags and conditions in brackets are dropped; fill characters ("*x") are
// dropped; "_x" leaves a blank.
enum class FormatTokenKind {
    Literal, // text shown as it is
    Digit, // 0, # or ? (the character is in `text`)
    DecimalPoint,
    Grouping, // a "," while the section is read; then grouping, scaling or a literal
    Percent,
    Exponent, // E+ / E-, `width` exponent digits at least, `showPlus` for E+
    Text, // @: the cell's text
    General,
    Year,
    Month,
    Day,
    Hour,
    Minute,
    Second,
    SecondFraction, // ".0" after seconds, `width` digits
    ElapsedHours, // [h]
    ElapsedMinutes, // [m]
    ElapsedSeconds, // [s]
    ChineseWeekday, // aaa "三", aaaa "星期三"
    AmPm, // `text` holds the two words, e.g. "AM" "PM" as "AM/PM"
};

struct FormatToken {
    FormatToken(FormatTokenKind kind = FormatTokenKind::Literal, QString text = {})
        : kind(kind)
        , text(std::move(text))
    {
    }

    FormatTokenKind kind;
    QString text;
    int width = 1; // repeat count of a date or time letter, digits of an exponent or a fraction
    bool showPlus = false;
};

struct FormatSection {
    QList<FormatToken> tokens;
    bool isDateTime = false;
    bool hasText = false;
    bool hasAmPm = false;
    bool grouping = false; // thousands separators in the integer part
    int percentCount = 0;
    int thousandsScaling = 0; // commas after the last integer digit divide by 1000 each
};

struct FormatCode {
    QList<FormatSection> sections; // at least one

    // Parsed codes are kept, since the same few codes format every cell of a report.
    static std::shared_ptr<const FormatCode> parse(const QString& code);
};

} // namespace platform::grid

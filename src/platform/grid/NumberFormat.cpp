#include "NumberFormat.h"

#include "DateTimeFormat.h"
#include "DecimalDigits.h"
#include "FormatCode.h"
#include "platform/NumberText.h"
#include <algorithm>
#include <cmath>

namespace platform::grid
{

namespace
{

using Kind = FormatTokenKind;

// The General format shows as many digits as fit a standard column: up to 11 characters (leaving
// out the sign), switching to the exponent form for large numbers and below 0.0001.
constexpr int kGeneralWidth = 11;
constexpr int kGeneralExponentDigits = 6;

QString exponentText(int exponent, int minDigits, bool showPlus)
{
    const QString sign = exponent < 0 ? QStringLiteral("-") : showPlus ? QStringLiteral("+") : QString();
    return u'E' + sign + QString::number(std::abs(exponent)).rightJustified(minDigits, u'0');
}

QString generalMagnitude(double magnitude)
{
    const DecimalDigits number = DecimalDigits::of(magnitude);
    const int integerDigits = std::max(1, number.pointPosition);
    if (number.pointPosition >= -3 && integerDigits <= kGeneralWidth) {
        const DecimalDigits rounded = number.roundedTo(std::max(0, kGeneralWidth - 1 - integerDigits));
        if (rounded.pointPosition <= kGeneralWidth) {
            const QString fraction
                = rounded.fractionDigits(int(rounded.digits.size()) - rounded.pointPosition);
            const QString integer = rounded.integerDigits();
            return (integer.isEmpty() ? QStringLiteral("0") : integer)
                + (fraction.isEmpty() ? QString() : u'.' + fraction);
        }
    }
    const DecimalDigits mantissa = number.roundedToSignificant(kGeneralExponentDigits);
    const QString rest = mantissa.digits.mid(1);
    return mantissa.digits.left(1) + (rest.isEmpty() ? QString() : u'.' + rest)
        + exponentText(mantissa.pointPosition - 1, 2, true);
}

// Digits of a number section spread over its placeholders.
class NumberSectionWriter
{
    static constexpr QChar kNothing = QChar(); // a fraction placeholder that shows nothing

public:
    NumberSectionWriter(const FormatSection& section, double magnitude)
        : section_(section)
    {
        bool afterPoint = false;
        for (const FormatToken& token : section.tokens) {
            if (token.kind == Kind::DecimalPoint)
                afterPoint = true;
            else if (token.kind == Kind::Exponent)
                exponent_ = &token;
            else if (token.kind == Kind::Digit && !exponent_)
                (afterPoint ? fractionPlaceholders_ : integerPlaceholders_) += token.text;
        }
        const double scaled
            = magnitude * std::pow(100.0, section.percentCount) / std::pow(1000.0, section.thousandsScaling);
        DecimalDigits number = DecimalDigits::of(scaled);
        const int decimals = int(fractionPlaceholders_.size());
        if (exponent_) {
            const int integerCount = std::max(1, int(integerPlaceholders_.size()));
            if (!number.isZero()) {
                exponentValue_ = number.pointPosition - integerCount;
                number = number.withIntegerDigits(integerCount).roundedTo(decimals);
                if (number.pointPosition > integerCount) {
                    ++exponentValue_;
                    number = number.withIntegerDigits(integerCount);
                }
            }
        } else {
            number = number.roundedTo(decimals);
        }
        integer_ = number.integerDigits();
        fraction_ = number.fractionDigits(decimals);
        trimOptionalFractionZeros();
        magnitude_ = magnitude;
    }

    QString text() const
    {
        QString result;
        int integerIndex = 0;
        int fractionIndex = 0;
        bool afterPoint = false;
        for (const FormatToken& token : section_.tokens) {
            switch (token.kind) {
            case Kind::Digit:
                if (afterPoint && fractionIndex < fractionPlaceholders_.size()) {
                    if (fraction_[fractionIndex] != kNothing)
                        result += fraction_[fractionIndex];
                    ++fractionIndex;
                } else if (!afterPoint)
                    result += integerPlaceholder(int(integerPlaceholders_.size()) - 1 - integerIndex++);
                break;
            case Kind::DecimalPoint:
                if (integerPlaceholders_.isEmpty())
                    result += integer_;
                result += u'.';
                afterPoint = true;
                break;
            case Kind::Exponent:
                result += exponentText(exponentValue_, std::max(1, token.width), token.showPlus);
                afterPoint = true;
                fractionIndex = int(fractionPlaceholders_.size());
                break;
            case Kind::General:
                result += generalMagnitude(magnitude_);
                break;
            default:
                result += token.text;
            }
        }
        return result;
    }

private:
    // A trailing zero stands only where the format asks for one with "0"; "?" leaves a blank.
    void trimOptionalFractionZeros()
    {
        for (qsizetype i = fraction_.size() - 1; i >= 0 && fraction_[i] == u'0'; --i) {
            const QChar placeholder = fractionPlaceholders_[i];
            if (placeholder == u'0')
                break;
            fraction_[i] = placeholder == u'?' ? u' ' : kNothing;
        }
    }

    // The text of the integer placeholder with `fromRight` placeholders to its right; the leftmost
    // one also takes the digits that no placeholder holds.
    QString integerPlaceholder(int fromRight) const
    {
        QString out;
        const int length = int(integer_.size());
        const int lastIndex = int(integerPlaceholders_.size()) - 1;
        if (fromRight == lastIndex) {
            for (int r = length - 1; r > fromRight; --r)
                appendDigit(out, integer_[length - 1 - r], r);
        }
        if (fromRight < length) {
            appendDigit(out, integer_[length - 1 - fromRight], fromRight);
            return out;
        }
        const QChar placeholder = integerPlaceholders_[lastIndex - fromRight];
        if (placeholder == u'0')
            appendDigit(out, u'0', fromRight);
        else if (placeholder == u'?')
            out += u' ';
        return out;
    }

    void appendDigit(QString& out, QChar digit, int fromRight) const
    {
        out += digit;
        if (section_.grouping && fromRight > 0 && fromRight % 3 == 0)
            out += u',';
    }

    const FormatSection& section_;
    const FormatToken* exponent_ = nullptr;
    QString integerPlaceholders_;
    QString fractionPlaceholders_;
    int exponentValue_ = 0;
    QString integer_;
    QString fraction_;
    double magnitude_ = 0;
};

QString formatNumber(double number, const FormatCode& code)
{
    if (!std::isfinite(number))
        return QStringLiteral("#NUM!");
    const qsizetype sectionCount = std::min<qsizetype>(code.sections.size(), 3);
    qsizetype index = 0;
    bool showMinus = false;
    if (number < 0) {
        index = sectionCount >= 2 ? 1 : 0;
        showMinus = sectionCount < 2;
    } else if (number == 0 && sectionCount >= 3) {
        index = 2;
    }
    const FormatSection& section = code.sections[index];
    if (section.hasText)
        return generalText(number);
    if (section.isDateTime)
        return formatDateTime(section, showMinus ? number : std::fabs(number));
    const QString text = NumberSectionWriter(section, std::fabs(number)).text();
    return showMinus ? u'-' + text : text;
}

QString formatText(const QString& text, const FormatCode& code)
{
    const FormatSection* section = nullptr;
    if (code.sections.size() >= 4)
        section = &code.sections[3];
    else if (code.sections.last().hasText)
        section = &code.sections.last();
    if (!section)
        return text;
    QString result;
    for (const FormatToken& token : section->tokens) {
        if (token.kind == Kind::Text)
            result += text;
        else if (token.kind == Kind::Literal)
            result += token.text;
    }
    return result;
}

// "\@" is how stored formats write the text format "@".
QString effectiveCode(const QString& formatCode)
{
    const QString code = formatCode.trimmed();
    if (code.isEmpty())
        return QStringLiteral("General");
    if (code == u"\\@")
        return QStringLiteral("@");
    return code;
}

} // namespace

QString generalText(double number)
{
    if (!std::isfinite(number))
        return QStringLiteral("#NUM!");
    if (number == 0)
        return QStringLiteral("0");
    const QString magnitude = generalMagnitude(std::fabs(number));
    return number < 0 ? u'-' + magnitude : magnitude;
}

QString entryText(double number)
{
    if (!std::isfinite(number))
        return QStringLiteral("#NUM!");
    if (number == 0)
        return QStringLiteral("0"); // also for -0
    return QString::number(number, 'g', DecimalDigits::kSignificantDigits).toUpper();
}

QString entryText(const CellValue& value)
{
    if (const auto* number = std::get_if<double>(&value))
        return entryText(*number);
    return formatCellValue(value, QStringLiteral("General"));
}

bool isTextFormat(QStringView formatCode)
{
    const QStringView code = formatCode.trimmed();
    return code == u"@" || code == u"\\@";
}

bool isGeneralFormat(QStringView formatCode)
{
    const QStringView code = formatCode.trimmed();
    return code.isEmpty() || code.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0
        || code == u"G/通用格式";
}

bool showsWrittenCharacters(QStringView formatCode, NumberWritten written)
{
    return written != NumberWritten::AsNumber && (isGeneralFormat(formatCode) || isTextFormat(formatCode));
}

bool isDateTimeFormat(const QString& formatCode)
{
    return FormatCode::parse(effectiveCode(formatCode))->sections.front().isDateTime;
}

QString writtenText(double number, NumberWritten written)
{
    return written == NumberWritten::AsDigits ? fixedPointText(number) : entryText(number);
}

NumberWritten numberWrittenAs(QStringView text, double number)
{
    if (text == fixedPointText(number))
        return NumberWritten::AsDigits;
    if (text == entryText(number))
        return NumberWritten::AsTyped;
    return NumberWritten::AsNumber;
}

QString formatCellValue(const CellValue& value, const QString& formatCode, NumberWritten written)
{
    // Most cells of a report are texts and whole numbers in the General format, which show as they are
    // and as their digits: they need no format code.
    constexpr double kWholeDigitsShown = 1e10;
    const bool general = isGeneralFormat(formatCode);
    if (general) {
        if (const QString* text = std::get_if<QString>(&value))
            return *text;
    }
    if (const double* number = std::get_if<double>(&value)) {
        if (general && std::abs(*number) < kWholeDigitsShown && *number == std::trunc(*number))
            return QString::number(qint64(*number));
        // A number written as text shows the characters written where no format of the designer's
        // formats it.
        if (showsWrittenCharacters(formatCode, written))
            return writtenText(*number, written);
    }
    struct Visitor {
        const QString& code;
        QString operator()(std::monostate) const { return {}; }
        QString operator()(double number) const { return formatNumber(number, *FormatCode::parse(code)); }
        QString operator()(const QString& text) const { return formatText(text, *FormatCode::parse(code)); }
        QString operator()(bool logical) const
        {
            return logical ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        }
        QString operator()(const CellError& error) const { return error.code; }
    };
    return std::visit(Visitor { effectiveCode(formatCode) }, value);
}

QString formatDate(const QDateTime& moment, const QString& formatCode, bool beforeChrist)
{
    const double serial = serialOf(moment);
    const auto code = FormatCode::parse(effectiveCode(formatCode));
    const FormatSection& first = code->sections.front();
    if (!first.isDateTime || (serial >= 0 && moment.date().year() <= 9999 && moment.date().year() > 0))
        return formatCellValue(serial, formatCode);
    return formatDateTime(first, moment, beforeChrist);
}

std::optional<QString> formatDateBeyondYears(QStringView text, const QString& formatCode)
{
    if (const auto date = readDateBeyondYears(text))
        return formatDate(date->moment, formatCode, date->beforeChrist);
    return std::nullopt;
}

bool showsDays(const QString& formatCode)
{
    const auto code = FormatCode::parse(effectiveCode(formatCode));
    const QList<FormatToken>& tokens = code->sections.front().tokens;
    return std::any_of(tokens.begin(), tokens.end(), [](const FormatToken& token) {
        return token.kind == Kind::Year || token.kind == Kind::Month || token.kind == Kind::Day
            || token.kind == Kind::ChineseWeekday;
    });
}

} // namespace platform::grid

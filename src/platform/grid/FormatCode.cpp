#include "FormatCode.h"

#include <QHash>
#include <vector>

namespace platform::grid
{

namespace
{

using Kind = FormatTokenKind;

bool isDateTimePart(Kind kind)
{
    switch (kind) {
    case Kind::Year:
    case Kind::Month:
    case Kind::Day:
    case Kind::Hour:
    case Kind::Minute:
    case Kind::Second:
    case Kind::ElapsedHours:
    case Kind::ElapsedMinutes:
    case Kind::ElapsedSeconds:
    case Kind::ChineseWeekday:
        return true;
    default:
        return false;
    }
}

// Splits a code at the ";" that stand outside quotes, escapes and brackets.
QStringList splitSections(const QString& code)
{
    QStringList sections;
    QString current;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (c == u';') {
            sections << current;
            current.clear();
            continue;
        }
        current += c;
        if (c == u'\\' && i + 1 < code.size()) {
            current += code[++i];
        } else if (c == u'"' || c == u'[') {
            const QChar close = c == u'"' ? u'"' : u']';
            while (++i < code.size()) {
                current += code[i];
                if (code[i] == close)
                    break;
            }
        }
    }
    sections << current;
    return sections;
}

class SectionTokenizer
{
public:
    explicit SectionTokenizer(const QString& text)
        : s_(text)
    {
    }

    QList<FormatToken> tokens()
    {
        while (i_ < s_.size())
            readToken();
        return std::move(tokens_);
    }

private:
    void readToken()
    {
        const QChar c = s_[i_];
        const QChar lower = c.toLower();
        if (c == u'"') {
            const qsizetype close = s_.indexOf(u'"', i_ + 1);
            const qsizetype end = close < 0 ? s_.size() : close;
            literal(s_.mid(i_ + 1, end - i_ - 1));
            i_ = end + 1;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            if (c == u'\\' && i_ + 1 < s_.size())
                literal(s_[i_ + 1]);
            else if (c == u'_')
                literal(QStringLiteral(" "));
            i_ += 2;
        } else if (c == u'[') {
            readBracket();
        } else if (startsWith(u"General") || startsWith(u"G/通用格式")) {
            i_ += startsWith(u"General") ? 7 : 6;
            add({ Kind::General });
        } else if (const QStringView* words = amPmWordsHere()) {
            add({ Kind::AmPm, s_.mid(i_, words->size()) });
            i_ += words->size();
        } else if (c == u'0' || c == u'#' || c == u'?') {
            add({ Kind::Digit, c });
            ++i_;
        } else if (c == u'.') {
            readPoint();
        } else if (c == u',') {
            add({ Kind::Grouping, c });
            ++i_;
        } else if (c == u'%') {
            add({ Kind::Percent, c });
            ++i_;
        } else if (lower == u'e' && i_ + 1 < s_.size() && (s_[i_ + 1] == u'+' || s_[i_ + 1] == u'-')) {
            FormatToken token { Kind::Exponent };
            token.showPlus = s_[i_ + 1] == u'+';
            i_ += 2;
            token.width = countRun([](QChar d) { return d == u'0' || d == u'#' || d == u'?'; });
            add(token);
        } else if (c == u'@') {
            add({ Kind::Text, c });
            ++i_;
        } else if (QStringView(u"ymdhs").contains(lower) || (lower == u'a' && runLength(lower) >= 3)) {
            FormatToken token { dateKind(lower) };
            token.width = countRun([lower](QChar d) { return d.toLower() == lower; });
            add(token);
        } else {
            literal(c);
            ++i_;
        }
    }

    void readBracket()
    {
        const qsizetype close = s_.indexOf(u']', i_ + 1);
        const qsizetype end = close < 0 ? s_.size() : close;
        const QString original = s_.mid(i_ + 1, end - i_ - 1);
        i_ = end + 1;
        if (original.startsWith(u'$')) { // currency and locale: "[$￥-804]" shows "￥"
            literal(original.mid(1).section(u'-', 0, 0));
            return;
        }
        const QString inner = original.toLower();
        if (inner.isEmpty() || inner.count(inner[0]) != inner.size())
            return; // colour or condition: not shown
        const Kind kinds[] = { Kind::ElapsedHours, Kind::ElapsedMinutes, Kind::ElapsedSeconds };
        const qsizetype which = QStringView(u"hms").indexOf(inner[0]);
        if (which >= 0) {
            FormatToken token { kinds[which] };
            token.width = int(inner.size());
            add(token);
        }
    }

    // "ss.00" shows fractions of a second; elsewhere the first point is the decimal point.
    void readPoint()
    {
        const bool afterSeconds = lastPart_ == Kind::Second || lastPart_ == Kind::ElapsedSeconds;
        if (afterSeconds && i_ + 1 < s_.size() && s_[i_ + 1] == u'0') {
            ++i_;
            FormatToken token { Kind::SecondFraction };
            token.width = std::min(3, countRun([](QChar d) { return d == u'0'; }));
            add(token);
        } else if (!hasDecimalPoint_) {
            hasDecimalPoint_ = true;
            add({ Kind::DecimalPoint, QStringLiteral(".") });
            ++i_;
        } else {
            literal(QStringLiteral("."));
            ++i_;
        }
    }

    int runLength(QChar lower) const
    {
        qsizetype end = i_;
        while (end < s_.size() && s_[end].toLower() == lower)
            ++end;
        return int(end - i_);
    }

    static Kind dateKind(QChar lower)
    {
        switch (lower.unicode()) {
        case u'a':
            return Kind::ChineseWeekday;
        case u'y':
            return Kind::Year;
        case u'm':
            return Kind::Month;
        case u'd':
            return Kind::Day;
        case u'h':
            return Kind::Hour;
        default:
            return Kind::Second;
        }
    }

    template <class Predicate> int countRun(Predicate matches)
    {
        int count = 0;
        while (i_ < s_.size() && matches(s_[i_])) {
            ++count;
            ++i_;
        }
        return count;
    }

    const QStringView* amPmWordsHere() const
    {
        static const QStringView kAmPmWords[] = { u"AM/PM", u"A/P", u"上午/下午" };
        for (const QStringView& words : kAmPmWords) {
            if (startsWith(words))
                return &words;
        }
        return nullptr;
    }

    bool startsWith(QStringView word) const
    {
        return QStringView(s_).mid(i_).startsWith(word, Qt::CaseInsensitive);
    }

    void literal(const QString& text) { add({ Kind::Literal, text }); }

    void add(const FormatToken& token)
    {
        if (isDateTimePart(token.kind))
            lastPart_ = token.kind;
        tokens_ << token;
    }

    const QString& s_;
    qsizetype i_ = 0;
    bool hasDecimalPoint_ = false;
    Kind lastPart_ = Kind::Literal;
    QList<FormatToken> tokens_;
};

// "m" stands for minutes right after hours or right before seconds, for months elsewhere.
void resolveMinutes(QList<FormatToken>& tokens)
{
    QList<qsizetype> parts;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (isDateTimePart(tokens[i].kind))
            parts << i;
    }
    for (qsizetype p = 0; p < parts.size(); ++p) {
        FormatToken& token = tokens[parts[p]];
        if (token.kind != Kind::Month)
            continue;
        const Kind before = p > 0 ? tokens[parts[p - 1]].kind : Kind::Literal;
        const Kind after = p + 1 < parts.size() ? tokens[parts[p + 1]].kind : Kind::Literal;
        if (before == Kind::Hour || before == Kind::ElapsedHours || after == Kind::Second
            || after == Kind::ElapsedSeconds)
            token.kind = Kind::Minute;
    }
}

// Commas between integer digits turn grouping on, commas right after them scale by 1000, others
// are shown. One pass each way, so that a long run of commas costs no more than its length.
void resolveCommas(FormatSection& section)
{
    const QList<FormatToken>& tokens = section.tokens;
    // digitAhead[i]: a digit comes after token i before any decimal point or exponent.
    std::vector<bool> digitAhead(tokens.size() + 1, false);
    for (qsizetype i = tokens.size() - 1; i >= 0; --i) {
        const Kind kind = i + 1 < tokens.size() ? tokens[i + 1].kind : Kind::Literal;
        digitAhead[i] = kind == Kind::Digit
            || (kind != Kind::DecimalPoint && kind != Kind::Exponent && digitAhead[i + 1]);
    }
    QList<FormatToken> kept;
    kept.reserve(tokens.size());
    bool digitBefore = false;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        FormatToken token = tokens[i];
        if (token.kind == Kind::Grouping) {
            if (digitBefore && digitAhead[i]) {
                section.grouping = true;
                continue;
            }
            if (digitBefore) {
                ++section.thousandsScaling;
                continue;
            }
            token.kind = Kind::Literal;
        }
        digitBefore = digitBefore || token.kind == Kind::Digit;
        kept << token;
    }
    section.tokens = std::move(kept);
}

FormatSection parseSection(const QString& text)
{
    FormatSection section;
    section.tokens = SectionTokenizer(text).tokens();
    resolveMinutes(section.tokens);
    for (const FormatToken& token : section.tokens) {
        section.isDateTime = section.isDateTime || isDateTimePart(token.kind) || token.kind == Kind::AmPm;
        section.hasText = section.hasText || token.kind == Kind::Text;
        section.hasAmPm = section.hasAmPm || token.kind == Kind::AmPm;
    }
    if (section.isDateTime) {
        for (FormatToken& token : section.tokens) {
            if (token.kind == Kind::Grouping || token.kind == Kind::Percent
                || token.kind == Kind::DecimalPoint || token.kind == Kind::Digit)
                token.kind = Kind::Literal;
        }
        return section;
    }
    resolveCommas(section);
    for (const FormatToken& token : section.tokens)
        section.percentCount += token.kind == Kind::Percent ? 1 : 0;
    return section;
}

} // namespace

std::shared_ptr<const FormatCode> FormatCode::parse(const QString& code)
{
    thread_local QHash<QString, std::shared_ptr<const FormatCode>> cache;
    if (const auto found = cache.constFind(code); found != cache.cend())
        return *found;

    auto parsed = std::make_shared<FormatCode>();
    for (const QString& text : splitSections(code))
        parsed->sections << parseSection(text);
    if (cache.size() > 1000)
        cache.clear();
    cache.insert(code, parsed);
    return parsed;
}

} // namespace platform::grid

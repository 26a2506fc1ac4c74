#include "engine/SystemVariables.h"

#include "engine/EngineState.h"
#include "platform/outside/SettingsObject.h"
#include "store/ReportDefinition.h"

#include <QDateTime>

namespace engine
{

namespace
{

QString setting(const char* key, const QString& fallback)
{
    return platform::outside::SettingsObject().read(
        QString::fromLatin1(SystemTextSection), QString::fromLatin1(key), fallback);
}

} // namespace

std::optional<long long> SysVariableCount(const DataReportRun& run, QChar letter)
{
    switch (letter.unicode()) {
    case u'p':
        return run.PageNumber;
    case u'P':
        return run.definition().page.PageRecount ? run.GroupPageTotal : run.TotalPages;
    case u'N':
        return run.RecordCounter;
    default:
        return std::nullopt;
    }
}

QString SysVariableValue(const DataReportRun& run, QChar letter)
{
    const auto count = SysVariableCount(run, letter);
    return count ? QString::number(*count) : RunFreeSysVariableValue(letter);
}

QString RunFreeSysVariableValue(QChar letter)
{
    // Read for the date and time letters only: the clock is read through the time zone files, which
    // would cost more than the page itself on every record-number cell.
    const auto now = [] { return QDateTime::currentDateTime(); };
    switch (letter.unicode()) {
    case u'd':
        return now().toString(QStringLiteral("yyyy-MM-dd"));
    case u'D':
        return now().toString(QStringLiteral("yyyy年MM月dd日"));
    case u't':
        return now().toString(QStringLiteral("hh:mm"));
    case u'T':
        return now().toString(QStringLiteral("hh时mm分"));
    case u'i':
        return setting(CompanyNameKey, QString::fromUtf8(DefaultCompanyName));
    case u'I':
        return setting(FondsNameKey, QString());
    default:
        return QString();
    }
}

QString ExpandSysVariables(const QString& text, const std::function<QString(QChar letter)>& valueOf)
{
    // A replacement is never scanned again, so a setting that holds a "%" cannot make the replacing go
    // on for ever.
    QString result;
    qsizetype from = 0;
    for (qsizetype mark = text.indexOf(u'%'); mark >= 0; mark = text.indexOf(u'%', from)) {
        result += QStringView(text).mid(from, mark - from);
        if (mark + 1 < text.size())
            result += valueOf(text.at(mark + 1));
        from = mark + 2;
    }
    if (from < text.size())
        result += QStringView(text).mid(from);
    return result;
}

QString ReplaceSysVariable(const DataReportRun& run, const QString& text)
{
    return ExpandSysVariables(text, [&run](QChar letter) { return SysVariableValue(run, letter); });
}

} // namespace engine

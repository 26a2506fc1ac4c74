#include "dialogs/DataSourceModel.h"

#include "store/CellSourceText.h"
#include "store/ReportState.h"

#include <algorithm>

namespace dialogs
{

namespace
{

using Refusal = platform::ui::Refusal<SourceFocus>;

const QString WindowCaption = QStringLiteral("数据源设置");
const QLatin1Char OptionMark('&');

const KindNode TextNode { QStringLiteral("Text"), QStringLiteral("文本"), SourceKind::Text };
const KindNode FieldsNode { QStringLiteral("Fields"), QStringLiteral("字段"), SourceKind::Fields };
const KindNode SysArgNode { QStringLiteral("SysArg"), QStringLiteral("系统参数"), SourceKind::SysArg };
const KindNode PicNode { QStringLiteral("Pic"), QStringLiteral("图片"), SourceKind::Pic };
const KindNode SpecFormuNode { QStringLiteral("SpecFormu"), QStringLiteral("特殊公式"),
    SourceKind::SpecFormu };
const KindNode SqlNode { QStringLiteral("SQL"), QStringLiteral("SQL语句"), SourceKind::Sql };
const KindNode InFormuNode { QStringLiteral("InFormu"), QStringLiteral("内置公式"), SourceKind::InFormu };
const KindNode SumColNode { QStringLiteral("SumCol"), QStringLiteral("列求和公式"), SourceKind::SumCol };
const KindNode SqlFormuNode { QStringLiteral("SQLFormu"), QStringLiteral("SQL公式"), SourceKind::SqlFormu };

QString withLetter(QChar letter, const QString& body)
{
    return store::CellSourceText { letter, body }.text();
}

QString withLetter(char letter, const QString& body)
{
    return withLetter(QLatin1Char(letter), body);
}

bool endsWithComparison(const QString& text)
{
    return text.endsWith(QLatin1Char('>')) || text.endsWith(QLatin1Char('<'))
        || text.endsWith(QLatin1Char('='));
}

bool isColumnLetter(QChar c)
{
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

bool isColumnName(const QString& text)
{
    return (text.size() == 1 || text.size() == 2) && std::all_of(text.begin(), text.end(), isColumnLetter);
}

SourceKind kindOfLetter(QChar letter)
{
    switch (letter.toLatin1()) {
    case 'A':
        return SourceKind::Text;
    case 'B':
        return SourceKind::Fields;
    case 'C':
        return SourceKind::SysArg;
    case 'D':
        return SourceKind::Pic;
    case 'E':
        return SourceKind::SpecFormu;
    case 'F':
        return SourceKind::InFormu;
    case 'H':
        return SourceKind::SqlFormu;
    case 'R':
        return SourceKind::SumCol;
    default:
        return SourceKind::Sql; // G, I, J, K, L
    }
}

QString fieldText(const DataSourceForm& form, bool severalTables)
{
    const QString table = form.fieldTable.trimmed();
    QString body = form.fieldColumn.trimmed();
    if (severalTables && !table.isEmpty())
        body += QLatin1Char('(') + table + QLatin1Char(')');
    return withLetter('B', body);
}

platform::ui::Checked<QString, SourceFocus> confirmField(const DataSourceForm& form, bool severalTables)
{
    QString text = fieldText(form, severalTables);
    if (!form.fieldOption)
        return text;
    const auto refuse = [](const QString& message, SourceFocus focus) {
        return Refusal { message, focus, {}, WindowCaption, platform::ui::Icon::Information };
    };
    if (form.optionChars.isEmpty())
        return refuse(QStringLiteral("必须输入数字或插入的符号"), SourceFocus::OptionChars);
    if (!form.insertMode && form.optionCount.isEmpty())
        return refuse(QStringLiteral("必须输入数字"), SourceFocus::OptionCount);
    text += OptionMark + form.optionChars;
    if (!form.insertMode)
        text += QLatin1Char('-') + form.optionCount;
    const QString mode = QString(form.front ? QLatin1Char('F') : QLatin1Char('B'))
        + (form.insertMode ? QStringLiteral("I") : QString());
    return text + OptionMark + mode + OptionMark;
}

platform::ui::Checked<QString, SourceFocus> confirmSql(const DataSourceForm& form, int reportType)
{
    const QChar letter = SqlLetter(reportType, form.autoCondition, form.dataSource);
    if (form.sql.trimmed().isEmpty())
        return Refusal {};
    // "=&..." is a statement given by a report parameter: stored from its "&" on, unchecked.
    if (form.sql.startsWith(QStringLiteral("=&")))
        return withLetter(letter, form.sql.mid(1));
    if (!CheckSqlStatement(form.sql, form.dataSource))
        return Refusal { QStringLiteral("SQL语句输入错误，请重新输入"), SourceFocus::Sql };
    return withLetter(letter, form.sql.trimmed());
}

platform::ui::Checked<QString, SourceFocus> confirmRegion(const DataSourceForm& form)
{
    const QString function = form.function.trimmed();
    const QString region = form.region.trimmed();
    if (function.isEmpty() && region.isEmpty())
        return Refusal {};
    if (region.isEmpty())
        return Refusal { QStringLiteral("请输入区域值!"), SourceFocus::Region };
    if (!IsRegionValid(region))
        return Refusal { QStringLiteral("区域值输入错误，请重新输入！"), SourceFocus::Region };
    return withLetter('F', function + QLatin1Char('(') + region + QLatin1Char(')'));
}

} // namespace

QList<KindNode> KindNodes(int reportType)
{
    if (reportType == store::DataReport)
        return { TextNode, FieldsNode, SysArgNode, PicNode, SpecFormuNode, SqlNode, InFormuNode, SumColNode };
    if (reportType == store::StatisticsReport)
        return { TextNode, SysArgNode, PicNode, InFormuNode, SqlNode, SqlFormuNode, SpecFormuNode };
    return {};
}

QString NodeKeyOfKind(SourceKind kind)
{
    for (const KindNode& node : { TextNode, FieldsNode, SysArgNode, PicNode, SpecFormuNode, SqlNode,
             InFormuNode, SumColNode, SqlFormuNode }) {
        if (node.kind == kind)
            return node.key;
    }
    return {};
}

QString FieldBoxText(const DataSourceForm& form)
{
    return form.fieldTable.isEmpty() ? form.fieldColumn
                                     : form.fieldTable + QLatin1Char('.') + form.fieldColumn;
}

void SetFieldFromBox(DataSourceForm& form, const QString& boxText)
{
    const QString text = boxText.trimmed();
    const qsizetype point = text.lastIndexOf(QLatin1Char('.'));
    form.fieldTable = point < 0 ? QString() : text.left(point).trimmed();
    form.fieldColumn = point < 0 ? text : text.mid(point + 1).trimmed();
}

std::optional<QString> PanelSourceText(const DataSourceForm& form, int reportType, bool severalTables)
{
    switch (form.kind) {
    case SourceKind::Text:
        return withLetter('A', form.text);
    case SourceKind::Fields:
        if (form.fieldColumn.trimmed().isEmpty())
            return std::nullopt;
        return fieldText(form, severalTables);
    case SourceKind::SysArg:
        return withLetter('C', form.sysArg.trimmed());
    case SourceKind::Pic:
        return withLetter('D', form.picture.trimmed());
    case SourceKind::SpecFormu:
        return withLetter('E', form.specFormula.trimmed());
    case SourceKind::SqlFormu:
        return withLetter('H', form.sqlFormula.trimmed());
    case SourceKind::SumCol:
        return withLetter('R', form.sumColumn.toUpper() + OptionMark);
    case SourceKind::Sql:
    case SourceKind::InFormu:
    case SourceKind::None:
        break;
    }
    return std::nullopt;
}

void ShowCellContent(const QString& cellText, int reportType, DataSourceForm& form)
{
    const auto content = store::CellSourceText::parse(cellText);
    if (!content)
        return;
    const SourceKind kind = kindOfLetter(content->letter);
    const QList<KindNode> nodes = KindNodes(reportType);
    if (std::none_of(nodes.begin(), nodes.end(), [&](const KindNode& node) { return node.kind == kind; }))
        return;
    const QString& body = content->body;
    form.kind = kind;
    switch (kind) {
    case SourceKind::Text:
        form.text = body;
        break;
    case SourceKind::Fields:
        form.fieldTable.clear();
        ParseFieldOptions(body, form);
        break;
    case SourceKind::SysArg:
        form.sysArg = body;
        break;
    case SourceKind::Pic:
        form.picture = body;
        break;
    case SourceKind::SpecFormu:
        form.specFormula = body;
        break;
    case SourceKind::InFormu:
        ParseBuiltinFormula(body, form);
        break;
    case SourceKind::SqlFormu:
        form.sqlFormula = body;
        form.sqlFormulaDesc = body;
        break;
    case SourceKind::SumCol:
        form.sumColumn = QString(body).remove(OptionMark);
        break;
    case SourceKind::Sql:
        // A body beginning "&" was typed as "=&" (a statement given by a report parameter); shown so
        // again, OK stores it unchanged instead of refusing it as a statement.
        form.sql = body.startsWith(OptionMark) ? QLatin1Char('=') + body : body;
        if (content->letter != QLatin1Char('G')) {
            const char letter = content->letter.toLatin1();
            form.dataSource = letter == 'I' || letter == 'K';
            form.autoCondition = letter == 'K' || letter == 'L';
        }
        break;
    case SourceKind::None:
        break;
    }
}

void ParseFieldOptions(const QString& body, DataSourceForm& form)
{
    form.fieldColumn = body;
    if (body.trimmed().isEmpty())
        return;
    const QStringList pieces = body.split(OptionMark);
    form.fieldColumn = pieces.first().trimmed();
    const QString option = pieces.value(1);
    const QString mode = pieces.value(2);
    form.fieldOption = !option.isEmpty() && !mode.isEmpty();
    if (!form.fieldOption)
        return;
    form.insertMode = mode.endsWith(QLatin1Char('I'), Qt::CaseInsensitive);
    form.front = mode.startsWith(QLatin1Char('F'), Qt::CaseInsensitive);
    if (form.insertMode) {
        form.optionChars = option;
        return;
    }
    const qsizetype dash = option.indexOf(QLatin1Char('-'));
    form.optionChars = dash < 0 ? option : option.left(dash);
    form.optionCount = dash < 0 ? QString() : option.mid(dash + 1);
}

void ParseBuiltinFormula(const QString& body, DataSourceForm& form)
{
    const qsizetype open = body.indexOf(QLatin1Char('('));
    const qsizetype close = body.indexOf(QLatin1Char(')'));
    if (open < 0 || close < 0)
        return;
    form.function = body.left(open);
    if (close > open)
        form.region = body.mid(open + 1, close - open - 1);
}

platform::ui::Checked<QString, SourceFocus> ConfirmSource(
    const DataSourceForm& form, const QString& soFar, int reportType, bool severalTables)
{
    switch (form.kind) {
    case SourceKind::Text:
        return withLetter('A', form.text);
    case SourceKind::Fields:
        return confirmField(form, severalTables);
    case SourceKind::Sql:
        return confirmSql(form, reportType);
    case SourceKind::InFormu:
        return confirmRegion(form);
    case SourceKind::SumCol:
        if (!isColumnName(form.sumColumn.toUpper()))
            return Refusal { QStringLiteral("请选择求和列！"), SourceFocus::SumColumn };
        return *PanelSourceText(form, reportType, severalTables);
    case SourceKind::SysArg:
    case SourceKind::Pic:
    case SourceKind::SpecFormu:
    case SourceKind::SqlFormu:
    case SourceKind::None:
        break;
    }
    return soFar;
}

QChar SqlLetter(int reportType, bool autoCondition, bool dataSource)
{
    if (reportType == store::StatisticsReport)
        return QLatin1Char('G');
    if (autoCondition)
        return dataSource ? QLatin1Char('K') : QLatin1Char('L');
    return dataSource ? QLatin1Char('I') : QLatin1Char('J');
}

// A statement naming "staticreport" passes as it is. Any other needs "select" and "from"; its select list
// (from the 8th character up to "from") may not be a bare aggregate name when the statement is to serve
// as a data source, since such a list yields no set of rows.
bool CheckSqlStatement(const QString& sql, bool dataSource)
{
    const QString lower = sql.toLower();
    if (lower.contains(QStringLiteral("staticreport")))
        return true;
    if (!lower.contains(QStringLiteral("select")) || !lower.contains(QStringLiteral("from")))
        return false;
    const qsizetype from = lower.indexOf(QStringLiteral("from"));
    const QString selectList = from > 7 ? lower.mid(7, from - 7).trimmed() : QString();
    static const QStringList Aggregates { QStringLiteral("sum"), QStringLiteral("average"),
        QStringLiteral("min"), QStringLiteral("max"), QStringLiteral("count") };
    return !(dataSource && Aggregates.contains(selectList));
}

bool IsRegionValid(const QString& region)
{
    return std::any_of(region.begin(), region.end(), [](QChar c) {
        return c == QLatin1Char(':') || c == QLatin1Char('+') || c == QLatin1Char('-')
            || c == QLatin1Char('/');
    });
}

// The button inserts a parameter as a compared value: it is enabled right after a comparison ("=", "<",
// ">"), after a comparison and an opening quote, and after "like '" and an opening "%".
bool UpdateSelectButton(const QString& sql, int caret, bool enabled)
{
    if (sql.isEmpty() || caret <= 1)
        return enabled;
    const QString left = sql.left(caret);
    QString before = left.trimmed();
    qsizetype last = left.size();
    while (last > 0 && left.at(last - 1).isSpace())
        --last;
    if (last < 1)
        return enabled;
    if (endsWithComparison(before))
        return true;
    const QChar atCaret = sql.at(last - 1);
    if (atCaret == QLatin1Char('\'')) {
        before = before.chopped(1).trimmed();
        return endsWithComparison(before);
    }
    if (atCaret == QLatin1Char('%')) {
        before = before.chopped(1).trimmed();
        if (!before.endsWith(QLatin1Char('\'')))
            return enabled;
        before = before.chopped(1).trimmed();
        return before.right(4).toLower() == QLatin1String("like");
    }
    return false;
}

std::optional<QChar> FilterOptionChar(QChar c, bool takeMode)
{
    if (!c.isPrint() || c == QLatin1Char('@') || c == OptionMark)
        return std::nullopt;
    const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
    if (takeMode && !digit)
        return std::nullopt;
    return c;
}

std::optional<QChar> FilterColumnChar(QChar c, const QString& current)
{
    if (c == QLatin1Char('.'))
        return c;
    const QChar upper = c.toUpper();
    if (current.size() >= 2 || !isColumnLetter(upper))
        return std::nullopt;
    return upper;
}

FilteredEdit FilterEdit(const QString& text, int caret, const CharFilter& filter)
{
    const QString behind = text.mid(caret);
    QString kept;
    for (const QChar c : text.left(caret)) {
        if (const auto accepted = filter(c, kept + behind))
            kept += *accepted;
    }
    return { kept + behind, int(kept.size()) };
}

} // namespace dialogs

#include "designer/ReportNames.h"

#include "platform/ui/MessageBox.h"
#include "store/ContentSplit.h"
#include "store/GroupDelete.h"
#include "store/ReportIndex.h"
#include "store/ReportLookups.h"
#include "store/ReportState.h"
#include "store/StoreSql.h"
#include "store/TextConvert.h"

namespace designer
{

namespace
{

constexpr int MaxNameBytes = 50;

// Runs the statements in one transaction; a failure is rolled back before the user is told.
template <class F> bool inTransactionOrTell(const QString& failureMessage, F&& work)
{
    try {
        store::runInTransaction(work);
        return true;
    } catch (const std::exception&) {
        platform::ui::msgBox(failureMessage);
        return false;
    }
}

} // namespace

bool DeleteReport()
{
    if (store::reportState().ReportId.isEmpty())
        return false;
    return inTransactionOrTell(QStringLiteral("由于不可预知的原因,删除报表出错,请与程序供应商联系!"),
        [] { store::DeleteReportRows(store::reportState().ReportId); });
}

bool RenameReport(const QString& newName)
{
    return inTransactionOrTell(QStringLiteral("程序出错,请与程序供应商联系!"),
        [&] { store::SetReportName(store::reportState().ReportId, newName); });
}

bool IsNameTooLong(const QString& name)
{
    return store::gbkByteLength(name) > MaxNameBytes;
}

std::optional<QString> CheckReportName(const QString& name)
{
    if (name.contains(QLatin1Char('\'')))
        return QStringLiteral("报表名不合法（含 '），请重新输入新报表名！");
    const store::ReportState& state = store::reportState();
    if (store::ReportBearsName(state.ReportId, state.ReportGroupId, name))
        return QStringLiteral("报表名重名，请重新输入新报表名！");
    return std::nullopt;
}

bool ReportNameExists(const QString& name)
{
    return store::GroupHasReportNamed(store::reportState().ReportGroupId, name);
}

std::optional<platform::ui::Refusal<NameControl>> ValidateReportName(NameDialog dialog, const QString& name)
{
    using Refusal = platform::ui::Refusal<NameControl>;
    const bool rename = dialog == NameDialog::Rename;
    if (name.isEmpty())
        return Refusal { QStringLiteral("请输入报表名！"), NameControl::NameBox };
    if (IsNameTooLong(name))
        return Refusal { rename ? QStringLiteral("报表名过长,不可超出50个字符(一个汉字为两个字符）!")
                                : QStringLiteral("报表名过长,不可超出50个字符(一个汉字为两个字符)!"),
            NameControl::NameBox };
    if (const auto refusal = CheckReportName(name))
        return Refusal { *refusal };
    if (ReportNameExists(name))
        return Refusal { rename ? QStringLiteral("名为‘%1’的报表已经存在，请重新输入报表名！").arg(name)
                                : QStringLiteral("名为'%1'的报表已经存在，请重新输入报表名").arg(name),
            NameControl::NameBox };
    return std::nullopt;
}

QStringList ReportNamesOfGroup()
{
    const store::ReportState& state = store::reportState();
    QStringList names = store::ReportNamesOfGroup(state.ReportGroupId, state.ReportType);
    names.removeAll(QString());
    return names;
}

QString StoredReportName()
{
    return store::trimBlanks(store::GetReportName(store::reportState().ReportId));
}

} // namespace designer

#include "dialogs/SysArgButtons.h"

namespace dialogs
{

const QList<SysArgButton>& SysArgButtons()
{
    static const QList<SysArgButton> buttons {
        { 0, QStringLiteral("PageNo"), QStringLiteral("第%p页"), QStringLiteral("第%p页") },
        { 0, QStringLiteral("PageCount"), QStringLiteral("共%P页"), QStringLiteral("共%P页") },
        { 0, QStringLiteral("Date1"), QStringLiteral("1999-09-09"), QStringLiteral("%d") },
        { 0, QStringLiteral("Date2"), QStringLiteral("1999年9月9日"), QStringLiteral("%D") },
        { 0, QStringLiteral("Time1"), QStringLiteral("14:02"), QStringLiteral("%t") },
        { 0, QStringLiteral("Time2"), QStringLiteral("14时02分"), QStringLiteral("%T") },
        { 0, QStringLiteral("RecordNo"), QStringLiteral("序号"), QStringLiteral("%N") },
        { 0, QStringLiteral("FondsName"), QStringLiteral("全宗名称"), QStringLiteral("%I") },
        { 1, QStringLiteral("PageNo2"), QStringLiteral("第%p页/共%P页"), QStringLiteral("第%p页/共%P页") },
        { 1, QStringLiteral("PageNo3"), QStringLiteral("第%p页  共%P页"), QStringLiteral("第%p页 共%P页") },
        { 1, QStringLiteral("Time3"), QStringLiteral("1999-09-09 14:02"), QStringLiteral("%d %t") },
        { 1, QStringLiteral("Time5"), QStringLiteral("1999年9月9日14时02分"), QStringLiteral("%D %T") },
    };
    return buttons;
}

QString SysArgFault(const QString& boxText)
{
    return boxText.trimmed().isEmpty() ? QStringLiteral("系统参数不可为空！") : QString();
}

} // namespace dialogs

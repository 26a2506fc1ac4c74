#include "wizard/WizardSteps.h"

#include "wizard/clsReportWizard.h"

#include <algorithm>

namespace wizard
{

namespace
{

const int FieldLimit = clsReportWizard::MaxFields;
const int GroupLimit = clsReportWizard::MaxGroupFields;

QString limitText(const QString& head, int limit, const QString& tail)
{
    return head + QString::number(limit) + QStringLiteral("个字段, ") + QLatin1Char('\n')
        + QStringLiteral("如果您要多于") + QString::number(limit) + tail;
}

// A step's entry of a table in step order; "" for a value that is no step.
QString stepEntry(const char* const (&entries)[StepCount], WizardStep step)
{
    const int index = int(step);
    return index >= 0 && index < StepCount ? QString::fromUtf8(entries[index]) : QString();
}

} // namespace

QString WizardCaption(const QString& reportName, WizardStep step)
{
    const QString stepText = step == WizardStep::Introduction ? QStringLiteral("开始")
        : step == WizardStep::Summary                         ? QStringLiteral("完成")
                                                              : QStringLiteral("步骤 %1").arg(int(step));
    return QStringLiteral("报表生成 - ") + reportName + QStringLiteral(" - ") + stepText;
}

QString StepHelpTopic(WizardStep step)
{
    static const char* const topics[StepCount] = { "打开新建报表向导", "选择数据表", "选择字段",
        "选择分组字段", "选择排序字段", "完成新报表的创建" };
    return stepEntry(topics, step);
}

QString StepText(WizardStep step)
{
    static const char* const texts[StepCount] = {
        "  数据表向导帮助您生成一个报表。本向导共分四步完成一个报表生成工作，首先，您要输入在报表中要使用的"
        "数据来源表名，这些表中包含了您要生成的报表的数据；第二，您要从所有的来源数据中选择一些要由报表输出的"
        "列；"
        "第三，您可以选择有关分组的信息；第四，您可以选择一些用于排序的字段；之后，本向导将按您所选择的条件产"
        "生一个数"
        "据报表。按[下一步]开始本向导，按[帮助]将提供更多的信息，按[取消]取消本向导。",
        "  数据报表主要作用是为了列出一些数据, 这些数据是保存在数据库的一些数据表中, 下面左边的列表框"
        "列出了保存您所需求数据的所有数据表, 选择您要输出数据的数据表, 按[下一步]选择需要的数据内容。",
        "  在本步骤中, 您将完成报表中所需要的字段的选择, 这些字段是下面分组、排序及报表细节区所需要的。\n"
        "  左边列出的是您第一步选择的数据表, 您可以选择不同的数据表, 在选择不同的数据表时, "
        "中间的列表框列出您没有选择的在"
        "这个数据表中的字段, 右边的列表框列出您已选择的在这个数据表中的字段。选择完所有需要的字段后, "
        "按[下一步]选择分组字"
        "段, 按[上一步]可以从新选择数据表。",
        "  本步选择分组字段, 您可以按需要把报表数据分成最多三组, 每组有相应的字段; 按步骤先选择第一分组, "
        "选择相应字段后按[>]"
        "按钮增加选择的字段到分组字段框, 然后选择第二分组选项..., 注意: "
        "您必需在某一分组内选择了一些字段后才能选择下一个分组. \n"
        "  另外, 如果您不需要分组, 您可以跳过本步。",
        "  本步选择排序字段, 排序字段的作用是在生成报表数据时, "
        "生成的数据将按您选定的字段的顺序与升/降序排列; 先在左边列表中选定"
        "您所需要的排序字段(按下[Alt]键或[Ctrl]键可以进行多选), 然后按[>]按钮选择这些字段; 然后, "
        "您可以选择排序的顺序及方法: "
        "选定要处理的字段, 按右边[▲]或[▼]调整排序顺序, 按右边的选择项可以选定它升序或降序。",
        "  到目前为止, 您已经完成了生成数据报表所需要的数据, 确定您刚才所选择的数据是您所需要的, "
        "按[完成]将生成数据报表, 本向导只生成"
        "一个简单的数据报表, 对您不一定很合适, 但您可以在后面进行更详细的编辑设计。",
    };
    return stepEntry(texts, step);
}

QString CannotAddMoreFieldsText()
{
    return limitText(QStringLiteral("您不能选择太多的字段, 本向导支持最多"), FieldLimit,
        QStringLiteral("个列, 请在设计器中修改"));
}

QString TooManyFieldsText()
{
    return limitText(QStringLiteral("您选择的字段太多, 本向导支持最多"), FieldLimit,
        QStringLiteral("个列, 请在设计器中修改"));
}

QString TooManyGroupFieldsText()
{
    return limitText(QStringLiteral("您不能选择太多的字段, 在分组中本向导支持最多"), GroupLimit,
        QStringLiteral("个分组字段, 请在设计器中修改"));
}

FieldButtons FieldButtonStates(
    int checked, int sourceCount, int sourceSelected, int checkedCount, int checkedSelected)
{
    FieldButtons buttons;
    buttons.next = checked != 0;
    buttons.removeOne = checkedSelected > 0;
    if (checked < FieldLimit) {
        buttons.addOne = sourceSelected > 0;
        buttons.addAll = sourceCount > 0;
        buttons.removeAll = checkedCount > 0;
        return buttons;
    }
    buttons.removeAll = true;
    buttons.next = checked == FieldLimit;
    buttons.tooMany = checked > FieldLimit;
    return buttons;
}

AddAllFields FieldsToAddAll(int checked, int sourceCount)
{
    const int room = std::max(0, FieldLimit - checked);
    return { std::min(room, sourceCount), sourceCount > room };
}

bool GroupFieldsFit(int grouped, int selected)
{
    return grouped + selected <= GroupLimit;
}

int FinishValue(bool saved, bool cancelled)
{
    return saved ? 0 : cancelled ? 1 : 2;
}

} // namespace wizard

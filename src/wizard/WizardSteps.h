#pragma once

#include <QString>

// The rules of the wizard window that need no widget: captions, limits and their messages, button states.
namespace wizard
{

// The wizard's steps in their order.
enum class WizardStep { Introduction, Tables, Fields, Groups, Sort, Summary };
constexpr int StepCount = int(WizardStep::Summary) + 1;

// The navigation buttons, left to right.
enum class NavButton { Help, Cancel, Back, Next, Finish };
constexpr int NavButtonCount = int(NavButton::Finish) + 1;

// "报表生成 - <name> - 开始" for the introduction, "… - 完成" for the summary, "… - 步骤 n" between.
QString WizardCaption(const QString& reportName, WizardStep step);
// The help topic of a step; "" for any other.
QString StepHelpTopic(WizardStep step);
QString StepText(WizardStep step);

// The field-limit messages: adding more than the wizard supports, and having checked more.
QString CannotAddMoreFieldsText();
QString TooManyFieldsText();
QString TooManyGroupFieldsText();
inline const QString TooManyFieldsTitle = QStringLiteral("字段太多");

// The buttons of the fields step for `checked` fields over all tables and the state of the two lists.
struct FieldButtons {
    bool addOne = false;
    bool addAll = false;
    bool removeOne = false;
    bool removeAll = false;
    bool next = false;
    bool tooMany = false; // more than the limit: tell the user
};
FieldButtons FieldButtonStates(
    int checked, int sourceCount, int sourceSelected, int checkedCount, int checkedSelected);

// How many entries from the top of the field list "add all" takes with `checked` fields already chosen,
// and whether the limit cut the list short (the user is told then).
struct AddAllFields {
    int take = 0;
    bool limited = false;
};
AddAllFields FieldsToAddAll(int checked, int sourceCount);

// Whether grouping `selected` more fields keeps within the group limit with `grouped` already grouped.
bool GroupFieldsFit(int grouped, int selected);

// The wizard's Finish value: 0 saved, 1 cancelled, 2 neither.
int FinishValue(bool saved, bool cancelled);

} // namespace wizard

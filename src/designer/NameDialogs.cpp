#include "designer/NameDialogs.h"

#include "platform/ui/MessageBox.h"
#include "store/TextConvert.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace designer
{

QHBoxLayout* dialogButtons(QDialog& dialog, QPushButton*& ok, QPushButton*& cancel)
{
    ok = new QPushButton(QStringLiteral("确定(&O)"), &dialog);
    cancel = new QPushButton(QStringLiteral("取消(&C)"), &dialog);
    ok->setDefault(true);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

std::optional<QString> acceptedName(NameDialog dialog, QLineEdit& box)
{
    const QString name = store::trimBlanks(box.text());
    const auto fault = ValidateReportName(dialog, name);
    if (!fault)
        return name;
    platform::ui::msgBox(fault->message);
    if (fault->refocus)
        box.setFocus();
    return std::nullopt;
}

} // namespace designer

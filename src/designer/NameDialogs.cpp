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
    const auto refusal = ValidateReportName(dialog, name);
    if (!refusal)
        return name;
    platform::ui::showRefusal(*refusal, [&box](NameControl) { return &box; });
    return std::nullopt;
}

} // namespace designer

#include "designer/SizeDialog.h"

#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowShow.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace designer
{

SizeDialog::SizeDialog(const QString& caption, const QString& label, Check check, QWidget* parent)
    : QDialog(parent)
    , lblSize(new QLabel(label))
    , txtSize(new QLineEdit)
    , cmdOK(new QPushButton(QStringLiteral("确定(&O)")))
    , cmdCancel(new QPushButton(QStringLiteral("取消(&C)")))
    , check_(check)
{
    setWindowTitle(caption);
    lblSize->setBuddy(txtSize);
    lblSize->installEventFilter(this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(lblSize, 0, 0);
    layout->addWidget(txtSize, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("厘米")), 0, 2);
    layout->addWidget(cmdOK, 1, 0, 1, 2, Qt::AlignRight);
    layout->addWidget(cmdCancel, 1, 2);
    cmdOK->setDefault(true);

    connect(cmdOK, &QPushButton::clicked, this, &SizeDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &SizeDialog::cmdCancel_Click);
    connect(this, &QDialog::rejected, this, [this] { resultTwips = 0; });
    platform::ui::loadOnShow(*this, [this] { Form_Load(); });
}

bool SizeDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblSize && event->type() == QEvent::MouseButtonPress)
        lblSize_Click();
    return QDialog::eventFilter(watched, event);
}

void SizeDialog::showCurrentSize(double twips)
{
    txtSize->setText(CentimetreText(twips));
    txtSize->selectAll();
}

void SizeDialog::Form_Load()
{
    resultTwips = 0;
}

void SizeDialog::lblSize_Click()
{
    txtSize->setFocus();
}

void SizeDialog::cmdOK_Click()
{
    const CheckedSize<double> size = check_(txtSize->text());
    if (const auto* refusal = std::get_if<platform::ui::Refusal<SizeBox>>(&size)) {
        platform::ui::showRefusal(*refusal, [this](SizeBox) { return txtSize; });
        return;
    }
    resultTwips = std::get<double>(size);
    accept();
}

void SizeDialog::cmdCancel_Click()
{
    reject();
}

} // namespace designer

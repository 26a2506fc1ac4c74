#include "designer/frmResize.h"

#include "designer/SizeInput.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/WindowShow.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace designer
{

frmResize::frmResize(int currentZoom, QWidget* parent)
    : QDialog(parent)
    , fraResize(new QGroupBox(QStringLiteral("缩放")))
    , optResize { new QRadioButton(QStringLiteral("200%(&0)")), new QRadioButton(QStringLiteral("100%(&1)")),
        new QRadioButton(QStringLiteral("75%(&7)")), new QRadioButton(QStringLiteral("50%(&5)")),
        new QRadioButton(QStringLiteral("25%(&2)")), new QRadioButton(QStringLiteral("自定义(&D)")) }
    , txtSize(new QLineEdit)
    , cmdOK(new QPushButton(QStringLiteral("确定(&O)")))
    , cmdCancel(new QPushButton(QStringLiteral("取消(&C)")))
    , currentZoom_(currentZoom)
{
    setObjectName(QStringLiteral("frmResize"));
    setWindowTitle(QStringLiteral("显示比例"));

    auto* options = new QGridLayout(fraResize);
    for (int i = 0; i < CustomZoomOption; ++i)
        options->addWidget(optResize[i], i, 0, 1, 3);
    options->addWidget(optResize[CustomZoomOption], CustomZoomOption, 0);
    options->addWidget(txtSize, CustomZoomOption, 1);
    options->addWidget(new QLabel(QStringLiteral("%")), CustomZoomOption, 2);
    txtSize->setMaximumWidth(80);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(fraResize);
    layout->addLayout(buttons);
    cmdOK->setDefault(true);

    for (QRadioButton* option : optResize)
        connect(option, &QRadioButton::toggled, this, &frmResize::optResize_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmResize::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmResize::cmdCancel_Click);
    platform::ui::loadOnShow(*this, [this] { Form_Load(); });
}

void frmResize::Form_Load()
{
    ZoomPercent = 0;
    txtSize->setEnabled(false);
    ShowCurrentZoom();
}

void frmResize::ShowCurrentZoom()
{
    const int option = ZoomOptionOf(currentZoom_);
    optResize[option]->setChecked(true);
    if (option == CustomZoomOption)
        txtSize->setText(QString::number(currentZoom_));
}

void frmResize::optResize_Click()
{
    const bool custom = optResize[CustomZoomOption]->isChecked();
    txtSize->setEnabled(custom);
    if (custom && txtSize->isVisible())
        txtSize->setFocus();
}

void frmResize::cmdOK_Click()
{
    for (int i = 0; i < CustomZoomOption; ++i) {
        if (optResize[i]->isChecked())
            ZoomPercent = ZoomOptionPercents[i];
    }
    if (optResize[CustomZoomOption]->isChecked()) {
        const CheckedSize<int> zoom = CheckZoom(txtSize->text());
        if (const auto* refusal = std::get_if<platform::ui::Refusal<SizeBox>>(&zoom)) {
            platform::ui::showRefusal(*refusal, [this](SizeBox) { return txtSize; });
            txtSize->clear();
            return;
        }
        ZoomPercent = std::get<int>(zoom);
    }
    accept();
}

void frmResize::cmdCancel_Click()
{
    reject();
}

} // namespace designer

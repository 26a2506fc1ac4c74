#include "dialogs/FontChooser.h"

#include "dialogs/CaptionLabel.h"
#include "dialogs/FontChooserModel.h"
#include "platform/grid/TextMeasure.h"

#include <algorithm>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace dialogs
{

namespace
{

QPixmap colourSwatch(QRgb rgb)
{
    QPixmap swatch(16, 12);
    swatch.fill(QColor::fromRgb(rgb));
    return swatch;
}

} // namespace

FontChooser::FontChooser(const FontChoice& preset, QWidget* parent)
    : QDialog(parent)
    , lstFamily(new QListWidget)
    , lstStyle(new QListWidget)
    , cboSize(new QComboBox)
    , chkStrikeOut(new QCheckBox(QStringLiteral("删除线(&K)")))
    , chkUnderline(new QCheckBox(QStringLiteral("下划线(&U)")))
    , cboColor(new QComboBox)
    , lblSample(new QLabel(QStringLiteral("中文档案 AaBbYyZz")))
    , cmdOK(new QPushButton(QStringLiteral("确定")))
    , cmdCancel(new QPushButton(QStringLiteral("取消")))
    , preset_(preset)
{
    setObjectName(QStringLiteral("FontChooser"));
    setWindowTitle(QStringLiteral("字体"));

    const QStringList families = ChooserFamilies(preset.name);
    lstFamily->addItems(families);
    lstFamily->setCurrentRow(int(families.indexOf(preset.name.trimmed())));
    lstStyle->addItems(ChooserStyles());
    lstStyle->setCurrentRow(StyleEntry(preset.bold, preset.italic));
    cboSize->setEditable(true);
    cboSize->addItems(ChooserSizeTexts());
    cboSize->setEditText(QString::number(preset.size));
    chkStrikeOut->setChecked(preset.strikeOut);
    chkUnderline->setChecked(preset.underline);
    for (const ChooserColour& colour : ChooserColours())
        cboColor->addItem(colourSwatch(colour.rgb), colour.name, colour.rgb);
    if (cboColor->findData(preset.color) < 0)
        cboColor->addItem(colourSwatch(preset.color), QStringLiteral("自定义"), preset.color);
    cboColor->setCurrentIndex(cboColor->findData(preset.color));

    auto* lists = new QGridLayout;
    lists->addWidget(captionFor(QStringLiteral("字体(&F)："), lstFamily), 0, 0);
    lists->addWidget(captionFor(QStringLiteral("字形(&Y)："), lstStyle), 0, 1);
    lists->addWidget(captionFor(QStringLiteral("大小(&S)："), cboSize), 0, 2);
    lists->addWidget(lstFamily, 1, 0, 2, 1);
    lists->addWidget(lstStyle, 1, 1, 2, 1);
    lists->addWidget(cboSize, 1, 2);
    lists->setColumnStretch(0, 2);
    lists->setColumnStretch(1, 1);
    lists->setColumnStretch(2, 1);
    auto* effects = new QGroupBox(QStringLiteral("效果"));
    auto* effectRows = new QVBoxLayout(effects);
    effectRows->addWidget(chkStrikeOut);
    effectRows->addWidget(chkUnderline);
    effectRows->addWidget(captionFor(QStringLiteral("颜色(&C)："), cboColor));
    effectRows->addWidget(cboColor);
    auto* sample = new QGroupBox(QStringLiteral("示例"));
    lblSample->setAlignment(Qt::AlignCenter);
    lblSample->setFixedHeight(64);
    lblSample->setMinimumWidth(160);
    lblSample->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    (new QVBoxLayout(sample))->addWidget(lblSample);
    auto* lower = new QHBoxLayout;
    lower->addWidget(effects);
    lower->addWidget(sample, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(lower);
    layout->addLayout(buttons);
    cmdOK->setDefault(true);

    connect(lstFamily, &QListWidget::currentRowChanged, this, &FontChooser::choice_Change);
    connect(lstStyle, &QListWidget::currentRowChanged, this, &FontChooser::choice_Change);
    connect(cboSize, &QComboBox::currentTextChanged, this, &FontChooser::choice_Change);
    connect(chkStrikeOut, &QCheckBox::toggled, this, &FontChooser::choice_Change);
    connect(chkUnderline, &QCheckBox::toggled, this, &FontChooser::choice_Change);
    connect(cboColor, &QComboBox::currentIndexChanged, this, &FontChooser::choice_Change);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    choice_Change();
}

FontChoice FontChooser::choice() const
{
    FontChoice font = preset_;
    if (const QListWidgetItem* family = lstFamily->currentItem())
        font.name = family->text();
    font.size = ChooserSize(cboSize->currentText()).value_or(preset_.size);
    const int style = std::max(lstStyle->currentRow(), 0);
    font.bold = style / 2 == 1;
    font.italic = style % 2 == 1;
    font.strikeOut = chkStrikeOut->isChecked();
    font.underline = chkUnderline->isChecked();
    font.color = cboColor->currentData().toUInt();
    return font;
}

void FontChooser::choice_Change()
{
    cmdOK->setEnabled(ChooserSize(cboSize->currentText()).has_value());
    const FontChoice font = choice();
    QFont look = platform::grid::qFontOf({ font.name, font.size, font.bold, font.italic, font.underline });
    look.setStrikeOut(font.strikeOut);
    lblSample->setFont(look);
    lblSample->setStyleSheet(QStringLiteral("color: %1").arg(QColor::fromRgb(font.color).name()));
}

} // namespace dialogs

#include "CaptionFit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

namespace testsupport
{

namespace
{

// The width the button's caption needs: the text, the icon beside it and the bevel of a push button, or
// the indicator and its gap before the text of a radio or check button.
int neededWidth(const QAbstractButton& button)
{
    const QString caption = QString(button.text()).remove(QLatin1Char('&'));
    int width = button.fontMetrics().horizontalAdvance(caption);
    if (qobject_cast<const QRadioButton*>(&button) || qobject_cast<const QCheckBox*>(&button)) {
        const bool radio = qobject_cast<const QRadioButton*>(&button) != nullptr;
        width += button.style()->pixelMetric(
                     radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth, nullptr, &button)
            + button.style()->pixelMetric(
                radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing, nullptr,
                &button);
        return width;
    }
    if (!button.icon().isNull() && !caption.isEmpty())
        width = std::max(width, button.iconSize().width());
    return width + 8;
}

} // namespace

QStringList cutCaptions(QWidget& window)
{
    window.resize(window.minimumSize());
    window.show();
    QApplication::processEvents();
    QStringList cut;
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isVisible() || button->text().isEmpty())
            continue;
        const QRect place(button->mapTo(&window, QPoint()), button->size());
        if (neededWidth(*button) > button->width() || !window.rect().contains(place))
            cut << QString(button->text()).remove(QLatin1Char('&'));
    }
    window.hide();
    return cut;
}

} // namespace testsupport

#include "output/OutputWindowLayout.h"

#include "platform/ui/FlowLayout.h"

#include <algorithm>
#include <QDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace output
{

namespace
{

// The smallest page area worth showing a page in.
constexpr int LeastPageAreaHeight = 160;
constexpr int ButtonRowsAtTheNarrowest = 2;

} // namespace

void LayOutOutputWindow(QDialog& window, const QList<QPushButton*>& buttons, QWidget& pageArea,
    QStatusBar& statusBar, QSize least)
{
    auto* buttonRows = new platform::ui::FlowLayout;
    for (QPushButton* button : buttons) {
        button->setAutoDefault(false);
        buttonRows->addWidget(button);
    }
    auto* layout = new QVBoxLayout(&window);
    layout->addLayout(buttonRows);
    layout->addWidget(&pageArea, 1);
    layout->addWidget(&statusBar);
    KeepButtonsWhole(window, least);
}

void KeepButtonsWhole(QDialog& window, QSize least)
{
    auto* layout = qobject_cast<QVBoxLayout*>(window.layout());
    auto* buttonRows
        = layout ? dynamic_cast<platform::ui::FlowLayout*>(layout->itemAt(0)->layout()) : nullptr;
    auto* statusBar = layout ? layout->itemAt(2)->widget() : nullptr;
    if (!buttonRows || !statusBar)
        return;
    buttonRows->invalidate();
    const QMargins margins = layout->contentsMargins();
    const int spacing = std::max(0, layout->spacing());
    const int width = buttonRows->widthForRows(ButtonRowsAtTheNarrowest) + margins.left() + margins.right();
    const int height = margins.top() + buttonRows->heightForWidth(width - margins.left() - margins.right())
        + spacing + LeastPageAreaHeight + spacing + statusBar->sizeHint().height() + margins.bottom();
    window.setMinimumSize(QSize(width, height).expandedTo(least));
}

} // namespace output

#pragma once

#include "dialogs/CellFormatModel.h"

#include <array>
#include <QWidget>

class QLabel;

namespace dialogs
{

// The border preview of the cell-format dialog: a frame of two by two cells whose six lines (the four
// outer sides and the two inner lines, each with its twin for a double line) show the borders being
// set. lblBorder 0-5 are the click areas along the lines; the marks show where inner lines fall.
class BorderPreview : public QWidget
{
    Q_OBJECT
public:
    explicit BorderPreview(QWidget* parent = nullptr);

    std::array<QLabel*, SideCount> lblBorder;

    void setSides(const PreviewSides& sides);
    const PreviewSides& sides() const { return sides_; }
    void setMarks(bool vertical, bool horizontal);

    QSize sizeHint() const override;

signals:
    void sideClicked(int side, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PreviewSides sides_;
    bool verticalMarks_ = false;
    bool horizontalMarks_ = false;
};

// Paints one preview line from `from` to `to`; its twin lies `twinOffset` beside it.
void PaintPreviewLine(
    QPainter& painter, const PreviewLine& line, QPointF from, QPointF to, QPointF twinOffset);

} // namespace dialogs

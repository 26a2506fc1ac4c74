#pragma once

#include <QLayout>
#include <QList>

namespace platform::ui
{

// Lays its items out in rows from the left, starting a new row where the next item would not fit, as
// words on a line: a window's row of buttons stays one row when the window is wide and wraps when it
// is narrow, and no button is ever squeezed below its own size.
class FlowLayout : public QLayout
{
public:
    explicit FlowLayout(QWidget* parent = nullptr);
    ~FlowLayout() override;
    FlowLayout(const FlowLayout&) = delete;
    FlowLayout& operator=(const FlowLayout&) = delete;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

    // The narrowest width at which the items take no more than `rows` rows.
    int widthForRows(int rows) const;

private:
    struct Flow {
        int height = 0;
        int rows = 0;
    };
    Flow arrange(const QRect& rect, bool move) const;

    QList<QLayoutItem*> items_;
};

} // namespace platform::ui

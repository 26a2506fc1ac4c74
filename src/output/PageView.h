#pragma once

#include "output/PrintRange.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/view/GridView.h"

// The page grid of the output windows: one page of a built report shown as it goes onto paper, on a
// sheet of its own, without headings, grid lines and selection (until the print window lets the user
// edit the page), with a frame drawn round the page. The frame belongs to the view: it is never a
// border of the sheet, so the report's own borders stay as they are.
namespace output
{

class PageView : public platform::grid::GridView
{
    Q_OBJECT
public:
    explicit PageView(QWidget* parent = nullptr);

    // Shows the page of the working sheet that lies in the given rows, from its first row and column.
    void showPage(const platform::grid::Sheet& working, SheetRows rows);
    const platform::grid::Sheet& page() const { return page_; }
    // The page's size on screen at 100 %, in pixels.
    QSizeF pageSizeAt100() const;

    // Places the view in its parent, the page area of a window: the page fitted whole without scroll
    // bars, or at 100 % with the vertical one (and the horizontal one when the page is wider than the
    // area), and centred either way, from the first row and column. A fitted page stays in sight:
    // keys and the wheel, which would scroll it away with no scroll bar to bring it back, keep it
    // where it is.
    void arrangeInParent(bool fitted);
    bool fitted() const { return fitted_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QRectF pageRect() const; // where the page is drawn now
    void showSheet();

    platform::grid::Sheet page_;
    bool fitted_ = false;
};

} // namespace output

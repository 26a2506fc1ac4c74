#include "RenderSupport.h"

#include "platform/grid/Sheet.h"
#include "platform/grid/view/GridView.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>

using namespace platform::grid;

namespace
{

struct Event {
    QString kind;
    int a = 0, b = 0, c = 0, d = 0;
    bool operator==(const Event&) const = default;
};

void PrintTo(const Event& e, std::ostream* out)
{
    *out << e.kind.toStdString() << "(" << e.a << "," << e.b << "," << e.c << "," << e.d << ")";
}

// A view of 800 x 600 pixels over a sheet, recording its events.
class GridViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        view.resize(800, 600);
        view.setSheet(&sheet);
        view.show();
        QApplication::processEvents();
        const auto record = [this](const char* kind) {
            return [this, kind](int row, int col) { events.append({ kind, row, col }); };
        };
        QObject::connect(&view, &GridView::clicked, record("clicked"));
        QObject::connect(&view, &GridView::selectionChanged, record("selectionChanged"));
        QObject::connect(&view, &GridView::rightClicked, record("rightClicked"));
        QObject::connect(&view, &GridView::cellEdited, record("cellEdited"));
        QObject::connect(&view, &GridView::mouseClicked, [this](int button, int shift, int x, int y) {
            events.append({ "mouseClicked", button, shift, x, y });
        });
    }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers = {})
    {
        const Qt::MouseButtons held
            = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent event(type, at, view.viewport()->mapToGlobal(at),
            type == QEvent::MouseMove ? Qt::NoButton : button, held, modifiers);
        QApplication::sendEvent(view.viewport(), &event);
    }

    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers modifiers = {})
    {
        mouse(QEvent::MouseButtonPress, at, button, modifiers);
        mouse(QEvent::MouseButtonRelease, at, button, modifiers);
    }

    QPoint centreOf(int row, int col) const { return view.cellRect(row, col).center(); }

    void key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = {}, const QString& text = {})
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(target, &press);
    }
    void key(int k, Qt::KeyboardModifiers modifiers = {}) { key(&view, k, modifiers); }
    void type(const QString& text)
    {
        for (QChar ch : text) {
            QWidget* target = view.isEditing() ? static_cast<QWidget*>(view.findChild<QLineEdit*>()) : &view;
            key(target, 0, {}, QString(ch));
        }
    }
    QLineEdit* editor() const { return view.findChild<QLineEdit*>(); }

    QList<Event> take() { return std::exchange(events, {}); }

    Sheet sheet;
    GridView view;
    QList<Event> events;
};

} // namespace

// Row 0 is a column heading, column 0 a row heading; the selection follows what was clicked.
TEST_F(GridViewTest, ClicksCarryTheRowAndColumnAndSelect)
{
    sheet.merge(CellRange { 2, 5, 4, 7 });
    EXPECT_EQ(view.cellRect(3, 6), view.cellRect(2, 5)); // a block is one rectangle
    const struct {
        int row, col;
        CellRange selected;
    } cases[] = {
        { 3, 2, CellRange::cell(3, 2) }, // a cell
        { 0, 4, CellRange { 1, 4, kWholeColLastRow, 4 } }, // a column heading
        { 5, 0, CellRange { 5, 1, 5, kWholeRowLastCol } }, // a row heading
        { 0, 0, CellRange { 1, 1, kWholeColLastRow, kWholeRowLastCol } }, // the corner
        { 4, 7, CellRange { 2, 5, 4, 7 } }, // the last cell of a block
    };
    for (const auto& c : cases) {
        sheet.select(CellRange::cell(9, 9));
        take();
        const QPoint at = view.cellRect(c.row, c.col).bottomRight() - QPoint(3, 3);
        click(at);
        EXPECT_EQ(take(),
            (QList<Event> { { "selectionChanged", c.selected.row1, c.selected.col1 },
                { "clicked", c.row, c.col }, { "mouseClicked", 1, 0, at.x(), at.y() } }));
        EXPECT_EQ(sheet.selection(), c.selected);
    }
}

TEST_F(GridViewTest, RightClickSelectsOnlyOutsideTheSelection)
{
    sheet.select(CellRange { 2, 2, 4, 4 });
    const QPoint inside = centreOf(3, 3);
    click(inside, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(take(),
        (QList<Event> { { "rightClicked", 3, 3 }, { "mouseClicked", 2, 3, inside.x(), inside.y() } }));
    EXPECT_EQ(sheet.selection(), (CellRange { 2, 2, 4, 4 }));

    click(centreOf(6, 0), Qt::RightButton);
    EXPECT_EQ(take().mid(0, 2), (QList<Event> { { "selectionChanged", 6, 1 }, { "rightClicked", 6, 0 } }));
    EXPECT_TRUE(sheet.selectionIsWholeRows());
}

TEST_F(GridViewTest, DragAndShiftClickSelectRanges)
{
    mouse(QEvent::MouseButtonPress, centreOf(2, 2), Qt::LeftButton);
    mouse(QEvent::MouseMove, centreOf(4, 3), Qt::LeftButton);
    mouse(QEvent::MouseMove, centreOf(5, 4), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, centreOf(5, 4), Qt::LeftButton);
    EXPECT_EQ(sheet.selection(), (CellRange { 2, 2, 5, 4 }));
    EXPECT_EQ(sheet.activeRow(), 2);
    EXPECT_EQ(sheet.activeCol(), 2);

    click(centreOf(7, 2));
    click(centreOf(9, 5), Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(sheet.selection(), (CellRange { 7, 2, 9, 5 }));
    EXPECT_EQ(sheet.activeRow(), 7);

    mouse(QEvent::MouseButtonPress, centreOf(0, 2), Qt::LeftButton);
    mouse(QEvent::MouseMove, centreOf(0, 4), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, centreOf(0, 4), Qt::LeftButton);
    EXPECT_EQ(sheet.selection(), (CellRange { 1, 2, kWholeColLastRow, 4 }));
}

TEST_F(GridViewTest, KeyboardMovesAndGrowsTheSelection)
{
    sheet.merge(CellRange { 5, 2, 6, 3 });
    sheet.select(CellRange::cell(2, 2));
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        CellRange selected;
        CellPos active;
    } steps[] = {
        { Qt::Key_Right, {}, CellRange::cell(2, 3), { 2, 3 } },
        { Qt::Key_Down, {}, CellRange::cell(3, 3), { 3, 3 } },
        { Qt::Key_Right, Qt::ShiftModifier, CellRange { 3, 3, 3, 4 }, { 3, 3 } },
        { Qt::Key_Down, Qt::ShiftModifier, CellRange { 3, 3, 4, 4 }, { 3, 3 } },
        { Qt::Key_Down, Qt::ShiftModifier, CellRange { 3, 2, 6, 4 }, { 3, 3 } },
        { Qt::Key_Left, {}, CellRange::cell(3, 2), { 3, 2 } },
        { Qt::Key_Down, {}, CellRange::cell(4, 2), { 4, 2 } },
        { Qt::Key_Down, {}, CellRange { 5, 2, 6, 3 }, { 5, 2 } },
        { Qt::Key_Home, {}, CellRange::cell(5, 1), { 5, 1 } },
        { Qt::Key_Home, Qt::ControlModifier, CellRange::cell(1, 1), { 1, 1 } },
    };
    for (const auto& s : steps) {
        take();
        key(s.key, s.modifiers);
        EXPECT_EQ(sheet.selection(), s.selected) << "after key " << std::hex << s.key;
        EXPECT_EQ((CellPos { sheet.activeRow(), sheet.activeCol() }), s.active);
        EXPECT_EQ(take().value(0), (Event { "selectionChanged", s.active.row, s.active.col }));
    }
}

// Tab passes the focus on unless the view is told to move the active cell with it, as a spreadsheet does.
TEST_F(GridViewTest, TabMovesTheActiveCellOnlyWhenAsked)
{
    sheet.select(CellRange::cell(2, 2));
    key(Qt::Key_Tab);
    EXPECT_EQ(sheet.activeCol(), 2);
    view.setTabMovesCell(true);
    const std::pair<int, Qt::KeyboardModifiers> keys[]
        = { { Qt::Key_Tab, {} }, { Qt::Key_Tab, Qt::ShiftModifier }, { Qt::Key_Backtab, Qt::ShiftModifier } };
    const int columns[] = { 3, 2, 1 };
    for (int i = 0; i < 3; ++i) {
        key(keys[i].first, keys[i].second);
        EXPECT_EQ(sheet.selection(), CellRange::cell(2, columns[i])) << i;
    }
}

// Within the limits given, a heading border dragged resizes its column or row; the columns before the
// first resizable one, and every border of a view without limits, only select.
TEST_F(GridViewTest, HeadingBordersResizeWithinTheLimitsGiven)
{
    const auto dragBy = [this](int row, int col, QPoint by) {
        const QRect heading = view.cellRect(row, col);
        const QPoint border = col > 0 ? QPoint(heading.right() + 1, heading.center().y())
                                      : QPoint(heading.center().x(), heading.bottom() + 1);
        mouse(QEvent::MouseButtonPress, border, Qt::LeftButton);
        mouse(QEvent::MouseMove, border + by, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, border + by, Qt::LeftButton);
    };
    const int width = sheet.colWidth(3);
    dragBy(0, 3, { 10, 0 });
    EXPECT_EQ(sheet.colWidth(3), width);
    EXPECT_TRUE(sheet.selectionIsWholeCols());

    view.setSizeDragging(GridView::SizeLimits { 100, 2000, 3 });
    const struct {
        int row, col;
        QPoint by;
        int twips;
    } drags[] = { { 0, 3, { 10, 0 }, width + 150 }, { 0, 3, { 500, 0 }, 2000 }, { 0, 3, { -500, 0 }, 100 },
        { 0, 2, { 10, 0 }, width }, { 4, 0, { 0, -100 }, 100 } };
    for (const auto& d : drags) {
        sheet.select(CellRange::cell(2, 2));
        dragBy(d.row, d.col, d.by);
        EXPECT_EQ(d.col > 0 ? sheet.colWidth(d.col) : sheet.rowHeight(d.row), d.twips)
            << d.row << "," << d.col;
        if (d.col != 2)
            EXPECT_EQ(sheet.selection(), CellRange::cell(2, 2));
    }
}

TEST_F(GridViewTest, KeysScrollTheActiveCellIntoView)
{
    const int page = view.visibleRowCount();
    EXPECT_EQ(page, (view.viewport()->height() - 18) / 18);
    sheet.select(CellRange::cell(2, 1));
    key(Qt::Key_PageDown);
    EXPECT_EQ(sheet.activeRow(), 2 + page);
    EXPECT_EQ(view.topRow(), 1 + page);
    key(Qt::Key_PageUp);
    EXPECT_EQ(sheet.activeRow(), 2);
    EXPECT_EQ(view.topRow(), 1);

    for (int i = 0; i < 60; ++i)
        key(Qt::Key_Down);
    EXPECT_EQ(sheet.activeRow(), 62);
    EXPECT_LE(view.cellRect(62, 1).bottom(), view.viewport()->height());
    EXPECT_GE(view.cellRect(62, 1).top(), 18);
    sheet.select(CellRange::cell(3, 40));
    view.showActiveCell();
    EXPECT_EQ(view.topRow(), 3);
    EXPECT_GE(view.cellRect(3, 40).left(), view.cellRect(3, 0).right());
    EXPECT_LE(view.cellRect(3, 40).right(), view.viewport()->width());
}

TEST_F(GridViewTest, ScrollsToAFarRowAtOnce)
{
    sheet.setMaxRow(200000);
    sheet.setRowHeight(149999, 900);
    sheet.setText(150000, 1, QStringLiteral("第十五万行"));
    view.refresh();
    QElapsedTimer timer;
    timer.start();
    view.setTopRow(150000);
    const QImage shown = view.grab().toImage();
    EXPECT_LT(timer.elapsed(), 500);
    EXPECT_EQ(view.topRow(), 150000);
    const QRect row = view.cellRect(150000, 1);
    EXPECT_EQ(row.top(), 18);
    EXPECT_EQ(view.cellRect(150001, 1).top(), 36);
    EXPECT_GT(darkPixels(shown, row.translated(view.viewport()->pos())), 30);
    click(row.center());
    EXPECT_EQ(take().value(1), (Event { "clicked", 150000, 1 }));
    view.setTopRow(300000);
    EXPECT_EQ(view.topRow(), 200000);
}

TEST_F(GridViewTest, ZoomScalesCellsWithinItsLimits)
{
    EXPECT_EQ(view.cellRect(1, 2).size(), QSize(72, 18)); // 1080 x 270 twips at 15 twips a pixel
    view.setZoom(200);
    EXPECT_EQ(view.cellRect(1, 2).size(), QSize(144, 36));
    view.setZoom(50);
    EXPECT_EQ(view.cellRect(1, 2).width(), 36);
    view.setZoom(5);
    EXPECT_EQ(view.zoom(), GridView::kMinZoom);
    view.setZoom(1000);
    EXPECT_EQ(view.zoom(), GridView::kMaxZoom);
}

TEST_F(GridViewTest, HiddenHeadingsGiveTheRoomToTheCellsAndPointsPastTheSheetHitNothing)
{
    view.setLeftCol(3);
    view.setTopRow(4);
    EXPECT_GT(view.cellRect(4, 3).left(), 0);
    view.setShowRowHeadings(false);
    view.setShowColHeadings(false);
    EXPECT_EQ(view.cellRect(4, 3).topLeft(), QPoint(0, 0));
    click(QPoint(1, 1));
    EXPECT_EQ(take().value(1), (Event { "clicked", 4, 3 }));

    sheet.setMaxRow(5);
    sheet.setMaxCol(4);
    view.refresh();
    const QPoint past = view.cellRect(5, 4).bottomRight() + QPoint(5, 5);
    EXPECT_FALSE(view.cellAt(past).has_value());
    click(past);
    EXPECT_EQ(take().size(), 1); // the mouse click only
    EXPECT_EQ(sheet.selection(), CellRange::cell(4, 3));
}

TEST_F(GridViewTest, TypingEditsOnlyWhenAllowed)
{
    sheet.select(CellRange::cell(2, 2));
    type(QStringLiteral("7"));
    EXPECT_FALSE(view.isEditing());
    EXPECT_FALSE(view.startEdit());
    EXPECT_TRUE(sheet.isEmpty(2, 2));

    view.setAllowEdit(true);
    type(QStringLiteral("12"));
    ASSERT_TRUE(view.isEditing());
    EXPECT_EQ(editor()->text(), QStringLiteral("12"));
    take();
    key(editor(), Qt::Key_Return);
    EXPECT_FALSE(view.isEditing());
    EXPECT_EQ(sheet.value(2, 2), CellValue(12.0));
    EXPECT_EQ(take().mid(0, 2), (QList<Event> { { "cellEdited", 2, 2 }, { "selectionChanged", 3, 2 } }));

    type(QStringLiteral("=B2*2"));
    key(editor(), Qt::Key_Tab);
    EXPECT_EQ(sheet.value(3, 2), CellValue(24.0));
    EXPECT_EQ(sheet.activeCol(), 3);

    type(QStringLiteral("草稿"));
    key(editor(), Qt::Key_Escape);
    EXPECT_FALSE(view.isEditing());
    EXPECT_TRUE(sheet.isEmpty(3, 3));

    sheet.select(CellRange::cell(3, 2));
    key(Qt::Key_F2);
    EXPECT_EQ(editor()->text(), QStringLiteral("=B2*2"));
    editor()->setText(QStringLiteral("档案"));
    click(centreOf(8, 8)); // clicking elsewhere keeps what was typed
    EXPECT_EQ(sheet.text(3, 2), QStringLiteral("档案"));
    EXPECT_EQ(sheet.selection(), CellRange::cell(8, 8));
}

TEST_F(GridViewTest, EditingAMergedBlockWritesItsFirstCell)
{
    sheet.merge(CellRange { 2, 2, 3, 4 });
    view.setAllowEdit(true);
    sheet.select(CellRange::cell(2, 2));
    type(QStringLiteral("标题"));
    EXPECT_EQ(editor()->geometry().width(), view.cellRect(2, 2).width() - 1);
    key(editor(), Qt::Key_Enter);
    EXPECT_EQ(sheet.text(2, 2), QStringLiteral("标题"));
    EXPECT_EQ(sheet.activeRow(), 4);
}

TEST_F(GridViewTest, TheSelectionAndItsActiveCellBoxCanBeLeftOut)
{
    const QColor frameColour(0x2B, 0x57, 0x9A);
    const auto framePixels = [&] {
        const QImage shot = view.viewport()->grab().toImage();
        return countPixels(shot, shot.rect(), [&](QRgb pixel) { return QColor(pixel) == frameColour; });
    };
    sheet.select(CellRange { 3, 3, 4, 4 });
    view.refresh();
    EXPECT_GT(framePixels(), 2 * view.cellRect(3, 3).width());
    view.setShowSelection(false);
    EXPECT_FALSE(view.showSelection());
    EXPECT_EQ(framePixels(), 0);
    view.setShowSelection(true);
    EXPECT_GT(framePixels(), 0);
}

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
        QObject::connect(&view, &GridView::clicked, [this](int r, int c) {
            events.append({ "clicked", r, c });
        });
        QObject::connect(&view, &GridView::selectionChanged, [this](int r, int c) {
            events.append({ "selectionChanged", r, c });
        });
        QObject::connect(&view, &GridView::rightClicked, [this](int r, int c) {
            events.append({ "rightClicked", r, c });
        });
        QObject::connect(&view, &GridView::cellEdited, [this](int r, int c) {
            events.append({ "cellEdited", r, c });
        });
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
    const struct {
        int row, col;
        CellRange selected;
    } cases[] = {
        { 3, 2, CellRange::cell(3, 2) },
        { 0, 4, CellRange { 1, 4, kWholeColLastRow, 4 } },
        { 5, 0, CellRange { 5, 1, 5, kWholeRowLastCol } },
        { 0, 0, CellRange { 1, 1, kWholeColLastRow, kWholeRowLastCol } },
    };
    for (const auto& c : cases) {
        sheet.select(CellRange::cell(9, 9));
        take();
        const QPoint at = centreOf(c.row, c.col);
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

TEST_F(GridViewTest, ClickOnAMergedBlockSelectsTheBlock)
{
    sheet.merge(CellRange { 2, 2, 4, 4 });
    const QRect block = view.cellRect(3, 3);
    EXPECT_EQ(block, view.cellRect(2, 2));
    click(block.bottomRight() - QPoint(3, 3));
    EXPECT_EQ(take().mid(0, 2), (QList<Event> { { "selectionChanged", 2, 2 }, { "clicked", 4, 4 } }));
    EXPECT_EQ(sheet.selection(), (CellRange { 2, 2, 4, 4 }));
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
        { Qt::Key_Down, {}, CellRange::cell(7, 2), { 7, 2 } },
        { Qt::Key_Home, {}, CellRange::cell(7, 1), { 7, 1 } },
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

TEST_F(GridViewTest, PageDownMovesByTheRowsInView)
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
}

TEST_F(GridViewTest, ArrowsScrollTheActiveCellIntoView)
{
    sheet.select(CellRange::cell(1, 1));
    for (int i = 0; i < 60; ++i)
        key(Qt::Key_Down);
    EXPECT_EQ(sheet.activeRow(), 61);
    const QRect active = view.cellRect(61, 1);
    EXPECT_LE(active.bottom(), view.viewport()->height());
    EXPECT_GE(active.top(), 18);
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
    const int width = view.cellRect(1, 2).width();
    const int height = view.cellRect(1, 2).height();
    EXPECT_EQ(width, 72);
    EXPECT_EQ(height, 18);
    view.setZoom(200);
    EXPECT_EQ(view.cellRect(1, 2).width(), 2 * width);
    EXPECT_EQ(view.cellRect(1, 2).height(), 2 * height);
    view.setZoom(50);
    EXPECT_EQ(view.cellRect(1, 2).width(), width / 2);
    view.setZoom(5);
    EXPECT_EQ(view.zoom(), GridView::kMinZoom);
    view.setZoom(1000);
    EXPECT_EQ(view.zoom(), GridView::kMaxZoom);
}

TEST_F(GridViewTest, HiddenHeadingsGiveTheRoomToTheCells)
{
    view.setLeftCol(3);
    view.setTopRow(4);
    EXPECT_GT(view.cellRect(4, 3).left(), 0);
    view.setShowRowHeadings(false);
    view.setShowColHeadings(false);
    EXPECT_EQ(view.cellRect(4, 3).topLeft(), QPoint(0, 0));
    EXPECT_EQ(view.cellAt(QPoint(1, 1)), (CellPos { 4, 3 }));
    click(QPoint(1, 1));
    EXPECT_EQ(take().value(1), (Event { "clicked", 4, 3 }));
}

TEST_F(GridViewTest, PointsPastTheSheetHitNothing)
{
    sheet.setMaxRow(3);
    sheet.setMaxCol(2);
    view.refresh();
    EXPECT_FALSE(view.cellAt(view.cellRect(3, 2).bottomRight() + QPoint(5, 5)).has_value());
    click(view.cellRect(3, 2).bottomRight() + QPoint(5, 5));
    EXPECT_EQ(take().size(), 1); // the mouse click only
    EXPECT_EQ(sheet.selection(), CellRange::cell(1, 1));
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

// A sheet like the demo's archive catalogue, saved as a picture in the build folder to look at.
TEST_F(GridViewTest, LooksLikeASpreadsheet)
{
    const QStringList headings { "序号", "档号", "题名", "责任者", "日期", "页数" };
    const int widths[] = { 600, 1500, 4200, 1500, 1400, 800 };
    sheet.setText(1, 1, QStringLiteral("文书档案卷内目录"));
    CellFormat title;
    title.mergeCells = true;
    title.hAlign = HAlign::Center;
    title.vAlign = VAlign::Center;
    title.fontSize = 16;
    title.fontBold = true;
    sheet.applyFormat(CellRange { 1, 1, 1, 6 }, title);
    sheet.setRowHeight(1, 600);
    CellFormat head;
    head.hAlign = HAlign::Center;
    head.fontBold = true;
    head.pattern = 1;
    head.patternForeground = qRgb(0xDD, 0xE6, 0xF0);
    sheet.applyFormat(CellRange { 2, 1, 2, 6 }, head);
    for (int c = 1; c <= 6; ++c) {
        sheet.setColWidth(c, widths[c - 1]);
        sheet.setText(2, c, headings[c - 1]);
    }
    const QStringList titles { "关于档案整理工作的通知", "年度工作总结报告", "会议纪要（第三次）",
        "人事任免文件汇编" };
    for (int r = 3; r <= 22; ++r) {
        sheet.setNumber(r, 1, r - 2);
        sheet.setText(r, 2, QStringLiteral("WS-2024-%1").arg(r - 2, 3, 10, QLatin1Char('0')));
        sheet.setText(r, 3, titles[r % titles.size()]);
        sheet.setText(r, 4, QStringLiteral("办公室"));
        sheet.setText(r, 5, QStringLiteral("2024-03-%1").arg(r, 2, 10, QLatin1Char('0')));
        sheet.setNumber(r, 6, 3 + r % 7);
    }
    CellFormat grid;
    for (BorderSide side : { BorderSide::Top, BorderSide::Left, BorderSide::Bottom, BorderSide::Right,
             BorderSide::InnerHorizontal, BorderSide::InnerVertical })
        grid.border(side) = Border { BorderStyle::Thin, 0 };
    sheet.applyFormat(CellRange { 2, 1, 22, 6 }, grid);
    CellFormat outline;
    for (BorderSide side : { BorderSide::Top, BorderSide::Left, BorderSide::Bottom, BorderSide::Right })
        outline.border(side) = Border { BorderStyle::Medium, 0 };
    sheet.applyFormat(CellRange { 2, 1, 22, 6 }, outline);
    sheet.select(CellRange { 5, 3, 6, 4 });
    view.resize(1000, 560);
    view.refresh();

    const QImage shot = view.grab().toImage();
    const QString path = QCoreApplication::applicationDirPath() + QStringLiteral("/gridview_look.png");
    ASSERT_TRUE(shot.save(path));
    const QRect titleArea = view.cellRect(1, 1).translated(view.viewport()->pos());
    EXPECT_GT(darkPixels(shot, titleArea), 200);
    EXPECT_GT(darkPixels(shot, view.cellRect(3, 3).translated(view.viewport()->pos())), 80);
}

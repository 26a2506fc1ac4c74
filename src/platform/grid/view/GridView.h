#pragma once

#include "AxisLayout.h"
#include "CellGeometry.h"
#include "SelectionMoves.h"

#include <optional>
#include <QAbstractScrollArea>
#include <QList>

class QTimer;

namespace platform::grid
{

class CellEditor;
class Sheet;

// The widget that shows a Sheet: headings, cells as SheetPainter draws them, the selection, and
// scrolling by whole rows and columns, so that any row of a long report comes into view at once.
// Mouse and keyboard select cells on the sheet itself (Sheet::select and friends); with editing
// allowed, a cell's entry is typed in place and stored through Sheet::setEntry.
//
// The sheet is not owned and may be changed by its owner at any time: the view notices a new
// revision and repaints (refresh() repaints at once). Enabled, visible, position, stacking and mouse
// pointer are the QWidget's own (setEnabled, setVisible, move, raise, setCursor).
//
// Events carry rows and columns as the windows read them: row 0 is the column heading, column 0 the
// row heading, (0, 0) the corner.
class GridView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    static constexpr int kMinZoom = 10;
    static constexpr int kMaxZoom = 400;
    static constexpr double kPixelsPerTwipAt100 = 96.0 / kTwipsPerInch; // 15 twips a pixel

    explicit GridView(QWidget* parent = nullptr);
    ~GridView() override;

    void setSheet(Sheet* sheet); // nullptr shows an empty area
    Sheet* sheet() const { return sheet_; }

    // --- what is shown --------------------------------------------------------------------------
    int topRow() const;
    void setTopRow(int row); // kept within the sheet's rows
    int leftCol() const;
    void setLeftCol(int col);
    int zoom() const { return zoom_; }
    void setZoom(int percent); // kept within kMinZoom..kMaxZoom
    bool showRowHeadings() const { return rowHeadings_; }
    void setShowRowHeadings(bool show);
    bool showColHeadings() const { return colHeadings_; }
    void setShowColHeadings(bool show);
    bool showGridLines() const { return gridLines_; }
    void setShowGridLines(bool show);
    // The selected ranges and the active cell's box; a view that only shows a sheet goes without them.
    bool showSelection() const { return selectionShown_; }
    void setShowSelection(bool show);
    bool showHScrollBar() const;
    void setShowHScrollBar(bool show);
    bool showVScrollBar() const;
    void setShowVScrollBar(bool show);
    void refresh();
    void showActiveCell(); // scrolls the least that brings the active cell into view

    // --- editing --------------------------------------------------------------------------------
    bool allowEdit() const { return allowEdit_; }
    void setAllowEdit(bool allow); // forbidding it ends an edit, keeping what was typed
    // Opens the active cell's entry for editing; false when editing is not allowed or there is no sheet.
    bool startEdit();
    bool isEditing() const;

    // --- keys and sizes as in a spreadsheet ------------------------------------------------------
    // Tab and Shift+Tab move the active cell right and left instead of the focus to the next widget.
    bool tabMovesCell() const { return tabMovesCell_; }
    void setTabMovesCell(bool on) { tabMovesCell_ = on; }
    // Dragging a column heading's right border (a row heading's lower border) resizes that column (row)
    // within these limits; the columns before firstCol keep their width. Sizes cannot be dragged unless
    // limits are given.
    struct SizeLimits {
        int minTwips = 1;
        int maxTwips = 1;
        int firstCol = 1;
    };
    void setSizeDragging(std::optional<SizeLimits> limits);

    // --- geometry, in viewport pixels ------------------------------------------------------------
    // The cell (its whole merged block) where it is drawn now; row 0 gives the column heading,
    // column 0 the row heading. Empty when there is no sheet.
    QRect cellRect(int row, int col) const;
    // The cell, heading (row or column 0) or corner (0, 0) under a point; none past the sheet's
    // last row or column.
    std::optional<CellPos> cellAt(const QPoint& point) const;
    int visibleRowCount() const; // rows shown whole from the top row, at least 1

signals:
    void clicked(int row, int col);
    void selectionChanged(int row, int col); // the active cell after a change by mouse or keyboard
    void rightClicked(int row, int col);
    // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt; x, y in viewport pixels.
    void mouseClicked(int button, int shift, int x, int y);
    void cellEdited(int row, int col); // an entry typed in place was stored
    void topLeftChanged(int row, int col);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    struct Frame;
    enum class Drag { None, Cells, Rows, Cols };
    struct SelectionState {
        QList<CellRange> ranges;
        CellPos active;
        bool operator==(const SelectionState&) const = default;
    };

    double scale() const;
    Frame frame() const;
    void syncWithSheet();
    void syncScrollBars();
    void paintSelection(QPainter& painter, const Frame& frame) const;
    void paintHeadings(QPainter& painter, const Frame& frame) const;

    SelectionState selectionState() const;
    void emitIfSelectionChanged(const SelectionState& before);
    void selectByMouse(const CellPos& hit, Qt::KeyboardModifiers modifiers);
    void extendByDrag(const QPoint& point);
    bool isSelected(const CellPos& hit) const; // within the first selected range
    void selectForContextMenu(const CellPos& hit);
    void moveByKey(CellMove move, bool extend);

    // A row or column whose size is being dragged, from where the drag started.
    struct SizeDrag {
        Qt::Orientation along;
        int index;
        int startPixel;
        int startTwips;
    };
    std::optional<SizeDrag> sizeBorderAt(const QPoint& point) const;
    void dragSize(const QPoint& point);
    void ensureVisible(const CellPos& cell);

    bool startEditWith(const QString& text);
    void storeEntry(const QString& entry, std::optional<CellMove> then);
    void endEditing();

    Sheet* sheet_ = nullptr;
    mutable SheetLayout layout_;
    quint64 shownRevision_ = 0;
    int zoom_ = 100;
    bool rowHeadings_ = true;
    bool colHeadings_ = true;
    bool gridLines_ = true;
    bool selectionShown_ = true;
    bool allowEdit_ = false;
    bool tabMovesCell_ = false;
    std::optional<SizeLimits> sizeLimits_;
    std::optional<SizeDrag> sizeDrag_;
    Drag drag_ = Drag::None;
    CellPos anchor_;
    CellPos extent_; // the far corner of a selection grown with Shift
    CellPos editing_;
    CellEditor* editor_;
    QTimer* revisionCheck_;
};

} // namespace platform::grid

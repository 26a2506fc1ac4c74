#pragma once

#include "SelectionMoves.h"

#include <optional>
#include <QLineEdit>

namespace platform::grid
{

// The line in which a cell's entry is typed. Enter keeps the entry and moves down, Tab keeps it and
// moves right, leaving the editor keeps it where it is; Escape drops it.
class CellEditor : public QLineEdit
{
    Q_OBJECT
public:
    explicit CellEditor(QWidget* parent);

    void open(const QString& text, const QRect& rect, const QFont& font);
    bool isOpen() const { return open_; }
    // Ends the editing as leaving the editor does: the entry is kept.
    void commit() { finish(std::nullopt); }
    void cancel();

signals:
    // `then` is where the active cell goes after the entry is stored, if anywhere.
    void committed(const QString& entry, std::optional<CellMove> then);
    void cancelled();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void finish(std::optional<CellMove> then);

    bool open_ = false;
};

} // namespace platform::grid

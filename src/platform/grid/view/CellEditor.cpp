#include "CellEditor.h"

#include <QKeyEvent>

namespace platform::grid
{

CellEditor::CellEditor(QWidget* parent)
    : QLineEdit(parent)
{
    setFrame(false);
    hide();
}

void CellEditor::open(const QString& text, const QRect& rect, const QFont& font)
{
    open_ = true;
    setFont(font);
    setText(text);
    setGeometry(rect);
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
}

void CellEditor::cancel()
{
    if (!open_)
        return;
    open_ = false;
    hide();
    emit cancelled();
}

void CellEditor::finish(std::optional<CellMove> then)
{
    if (!open_)
        return;
    open_ = false; // before hiding: the focus leaving must not store the entry twice
    const QString entry = text();
    hide();
    emit committed(entry, then);
}

// Tab would move the focus to the next widget before the editor sees it.
bool CellEditor::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CellEditor::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        finish(CellMove::Down);
        return;
    case Qt::Key_Tab:
        finish(CellMove::Right);
        return;
    case Qt::Key_Backtab:
        finish(CellMove::Left);
        return;
    case Qt::Key_Escape:
        cancel();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void CellEditor::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    finish(std::nullopt);
}

} // namespace platform::grid

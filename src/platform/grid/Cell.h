#pragma once

#include "formula/Formula.h"
#include "GridTypes.h"

#include <optional>
#include <QString>
#include <QStringView>

namespace platform::grid::internal
{

// A formula with the value it computed last; the value holds while `generation` equals the sheet's
// value generation, which every change of a value moves on.
struct FormulaCell {
    formula::Formula formula;
    mutable CellValue cached;
    mutable quint64 generation = 0;
    mutable bool evaluating = false;
};

enum class CellKind : quint8 { Empty, Number, Text, Logical, Error, Formula };

// One stored cell in 16 bytes: a value (texts as shared immutable blocks, formulas on the heap) and
// the id of its interned format. Copies share texts and clone formulas, so sheets copied cell by cell
// stay independent.
class Cell
{
public:
    Cell() noexcept = default;
    Cell(const Cell& other);
    Cell(Cell&& other) noexcept;
    Cell& operator=(const Cell& other);
    Cell& operator=(Cell&& other) noexcept;
    ~Cell();

    CellKind kind() const { return kind_; }
    bool hasValue() const { return kind_ != CellKind::Empty; }
    bool isBlank() const { return kind_ == CellKind::Empty && style_ == 0; }
    quint32 style() const { return style_; }
    void setStyle(quint32 style) { style_ = style; }

    // The value as stored; for a formula the value it computed last.
    CellValue value() const;
    // How a number cell's number was written; AsNumber for any other cell.
    NumberWritten numberWritten() const
    {
        return kind_ == CellKind::Number ? NumberWritten(detail_) : NumberWritten::AsNumber;
    }
    // The text of a text cell without a copy, valid while the cell holds it; none for other cells.
    std::optional<QStringView> textView() const;
    const FormulaCell* formula() const { return kind_ == CellKind::Formula ? payload_.formula : nullptr; }
    FormulaCell* formula() { return kind_ == CellKind::Formula ? payload_.formula : nullptr; }

    void setValue(const CellValue& value);
    void setNumber(double number, NumberWritten written);
    void setText(const QString& text) { setText(CellKind::Text, text); }
    // Takes the value (not the format) of a cell that holds no formula, sharing its text.
    void setValueOf(const Cell& other);
    void setFormula(formula::Formula formula);
    void clearValue();

private:
    struct TextBlock;
    using SharedText = QTypedArrayData<char16_t>; // the block of a QString
    static constexpr qsizetype MaxSharedTextSize = 0xFFFF;

    void copyValueFrom(const Cell& other);
    void takeValueFrom(Cell& other) noexcept;
    void setText(CellKind kind, const QString& text);
    // Holds a reference to the text's own characters instead of a copy, when they start its block and
    // their count fits the cell: a record's text goes into its cell without an allocation.
    bool shareText(const QString& text);
    QString sharedText() const;
    // A QString that owns the cell's reference to its shared text.
    QString adoptShared() const;

    union Payload {
        double number;
        bool logical;
        TextBlock* text;
        SharedText* shared;
        FormulaCell* formula;
    };
    bool textShared() const { return kind_ == CellKind::Text && detail_ != 0; }

    Payload payload_ { 0.0 };
    quint32 style_ = 0;
    CellKind kind_ = CellKind::Empty;
    // A Text cell: 1 when it holds `shared` and its size, not a TextBlock. A Number cell: how its number
    // was written (NumberWritten).
    quint8 detail_ = 0;
    quint16 sharedSize_ = 0;
};

} // namespace platform::grid::internal

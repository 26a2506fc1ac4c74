#include "Cell.h"

#include <atomic>
#include <new>

namespace platform::grid::internal
{

static_assert(sizeof(Cell) == 16, "a cell stays small: six million of them must fit comfortably");

// Header of a text's memory; the UTF-16 characters follow it.
struct Cell::TextBlock {
    std::atomic<int> refs;
    qsizetype size;

    const QChar* chars() const { return reinterpret_cast<const QChar*>(this + 1); }
    QChar* chars() { return reinterpret_cast<QChar*>(this + 1); }

    static TextBlock* make(const QString& text)
    {
        void* memory = ::operator new(sizeof(TextBlock) + sizeof(QChar) * text.size());
        auto* block = new (memory) TextBlock { { 1 }, text.size() };
        std::copy(text.constBegin(), text.constEnd(), block->chars());
        return block;
    }
    void retain() { refs.fetch_add(1, std::memory_order_relaxed); }
    void release()
    {
        if (refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            this->~TextBlock();
            ::operator delete(this);
        }
    }
    QString toString() const { return QString(chars(), size); }
};

Cell::Cell(const Cell& other)
    : style_(other.style_)
{
    copyValueFrom(other);
}

Cell::Cell(Cell&& other) noexcept
    : style_(other.style_)
{
    takeValueFrom(other);
}

Cell& Cell::operator=(const Cell& other)
{
    if (this != &other) {
        clearValue();
        style_ = other.style_;
        copyValueFrom(other);
    }
    return *this;
}

Cell& Cell::operator=(Cell&& other) noexcept
{
    if (this != &other) {
        clearValue();
        style_ = other.style_;
        takeValueFrom(other);
    }
    return *this;
}

Cell::~Cell()
{
    clearValue();
}

void Cell::copyValueFrom(const Cell& other)
{
    kind_ = other.kind_;
    payload_ = other.payload_;
    if (kind_ == CellKind::Text || kind_ == CellKind::Error)
        payload_.text->retain();
    else if (kind_ == CellKind::Formula)
        payload_.formula = new FormulaCell(*other.payload_.formula);
}

void Cell::takeValueFrom(Cell& other) noexcept
{
    kind_ = other.kind_;
    payload_ = other.payload_;
    other.kind_ = CellKind::Empty;
    other.payload_.number = 0;
}

void Cell::clearValue()
{
    if (kind_ == CellKind::Text || kind_ == CellKind::Error)
        payload_.text->release();
    else if (kind_ == CellKind::Formula)
        delete payload_.formula;
    kind_ = CellKind::Empty;
    payload_.number = 0;
}

CellValue Cell::value() const
{
    switch (kind_) {
    case CellKind::Empty:
        return std::monostate {};
    case CellKind::Number:
        return payload_.number;
    case CellKind::Text:
        return payload_.text->toString();
    case CellKind::Logical:
        return payload_.logical;
    case CellKind::Error:
        return CellError { payload_.text->toString() };
    case CellKind::Formula:
        return payload_.formula->cached;
    }
    return std::monostate {};
}

std::optional<QStringView> Cell::textView() const
{
    if (kind_ != CellKind::Text)
        return std::nullopt;
    return QStringView(payload_.text->chars(), payload_.text->size);
}

void Cell::setText(CellKind kind, const QString& text)
{
    TextBlock* block = TextBlock::make(text);
    clearValue();
    payload_.text = block;
    kind_ = kind;
}

void Cell::setValue(const CellValue& value)
{
    if (const auto* number = std::get_if<double>(&value)) {
        clearValue();
        payload_.number = *number;
        kind_ = CellKind::Number;
    } else if (const auto* text = std::get_if<QString>(&value)) {
        setText(CellKind::Text, *text);
    } else if (const auto* logical = std::get_if<bool>(&value)) {
        clearValue();
        payload_.logical = *logical;
        kind_ = CellKind::Logical;
    } else if (const auto* error = std::get_if<CellError>(&value)) {
        setText(CellKind::Error, error->code);
    } else {
        clearValue();
    }
}

void Cell::setValueOf(const Cell& other)
{
    Q_ASSERT(other.kind_ != CellKind::Formula);
    if (this == &other)
        return;
    clearValue();
    copyValueFrom(other);
}

void Cell::setFormula(formula::Formula formula)
{
    auto* cell = new FormulaCell { std::move(formula), {}, 0, false };
    clearValue();
    payload_.formula = cell;
    kind_ = CellKind::Formula;
}

} // namespace platform::grid::internal

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

namespace
{

// Where a text's block keeps its characters when nothing has been taken off their front.
char16_t* charsOfBlock(QTypedArrayData<char16_t>* block)
{
    using Data = QTypedArrayData<char16_t>;
    return Data::dataStart(block, alignof(Data::AlignmentDummy));
}

} // namespace

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
    detail_ = other.detail_;
    sharedSize_ = other.sharedSize_;
    if (textShared())
        payload_.shared->ref();
    else if (kind_ == CellKind::Text || kind_ == CellKind::Error)
        payload_.text->retain();
    else if (kind_ == CellKind::Formula)
        payload_.formula = new FormulaCell(*other.payload_.formula);
}

void Cell::takeValueFrom(Cell& other) noexcept
{
    kind_ = other.kind_;
    payload_ = other.payload_;
    detail_ = other.detail_;
    sharedSize_ = other.sharedSize_;
    other.kind_ = CellKind::Empty;
    other.payload_.number = 0;
    other.detail_ = 0;
}

void Cell::clearValue()
{
    if (textShared())
        adoptShared(); // the QString gives the reference back, freeing the block if it was the last
    else if (kind_ == CellKind::Text || kind_ == CellKind::Error)
        payload_.text->release();
    else if (kind_ == CellKind::Formula)
        delete payload_.formula;
    kind_ = CellKind::Empty;
    payload_.number = 0;
    detail_ = 0;
}

CellValue Cell::value() const
{
    switch (kind_) {
    case CellKind::Empty:
        return std::monostate {};
    case CellKind::Number:
        return payload_.number;
    case CellKind::Text:
        return textShared() ? sharedText() : payload_.text->toString();
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
    if (textShared())
        return QStringView(charsOfBlock(payload_.shared), sharedSize_);
    return QStringView(payload_.text->chars(), payload_.text->size);
}

bool Cell::shareText(const QString& text)
{
    // Only the block's pointer is read here; the text itself is left as it is.
    QString::DataPointer& data = const_cast<QString&>(text).data_ptr();
    SharedText* block = data.d_ptr();
    // A block far larger than its text (a text decoded from UTF-8 holds up to three times its size) is
    // not kept alive by a cell.
    constexpr qsizetype RoomForDecoding = 3;
    constexpr qsizetype SmallRoom = 32;
    if (!block || text.size() > MaxSharedTextSize || data.data() != charsOfBlock(block)
        || block->allocatedCapacity() > RoomForDecoding * text.size() + SmallRoom)
        return false;
    block->ref();
    clearValue();
    payload_.shared = block;
    sharedSize_ = quint16(text.size());
    detail_ = 1;
    kind_ = CellKind::Text;
    return true;
}

QString Cell::adoptShared() const
{
    return QString(QString::DataPointer(payload_.shared, charsOfBlock(payload_.shared), sharedSize_));
}

QString Cell::sharedText() const
{
    payload_.shared->ref();
    return adoptShared();
}

void Cell::setText(CellKind kind, const QString& text)
{
    if (kind == CellKind::Text && shareText(text))
        return;
    TextBlock* block = TextBlock::make(text);
    clearValue();
    payload_.text = block;
    kind_ = kind;
}

void Cell::setValue(const CellValue& value)
{
    if (const auto* number = std::get_if<double>(&value)) {
        setNumber(*number, NumberWritten::AsNumber);
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

void Cell::setNumber(double number, NumberWritten written)
{
    clearValue();
    payload_.number = number;
    kind_ = CellKind::Number;
    detail_ = quint8(written);
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

#include "SheetPainter.h"

#include "BorderLine.h"
#include "CellLook.h"
#include "CellTextLayout.h"
#include "platform/grid/NumberFormat.h"
#include "platform/grid/Sheet.h"
#include "RangeBlocks.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <QFontMetricsF>
#include <QPainter>
#include <QSet>
#include <QTextOption>
#include <tuple>
#include <unordered_map>

namespace platform::grid
{

namespace
{

constexpr double kTextPaddingTwips = 30; // texts keep two pixels from the sides at 100 %
constexpr int kGridLineTwips = 8; // one pixel on screen, a hairline on paper
constexpr int kWidestBorderTwips = 45; // how far a border may reach past its edge
constexpr double kSmallestShrink = 0.05;

// Texts are laid out in twips, with fonts sized in twips, on every device (CellTextLayout.h).
struct StyleLook {
    CellFormat format;
    QFont font;
    QFont deviceFont; // the same font as the device sizes it
    QFontMetricsF metrics;
    QHash<QString, double>* widths; // of one-line texts in the font, as far as measured
};

struct PlacedText {
    QString text;
    QFont font;
    const QFont* deviceFont = nullptr; // the style's font on the device
    QColor color;
    QRectF cell; // the cell on the device
    QRectF rect; // where the text is laid out, in twips from the cell's top left corner
    QRectF clip; // what it may cover on the device: its cell, or the empty cells it runs into
    bool staysInside = false; // one line that fits its rect: the clip would cut nothing
    QTextOption option;
};

struct BorderSegment {
    QLineF edge;
    Border border;
    int weight;
};

double widestLine(const QFontMetricsF& metrics, const QString& text)
{
    double widest = 0;
    for (const QString& line : text.split(u'\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

// The widths of texts measured so far in a font: a report prints the same headings, captions and
// numbers page after page, each shaped once. The font is the one the cells print with, whichever faces
// it resolves to.
QHash<QString, double>& knownWidths(const QFont& font)
{
    thread_local std::unordered_map<QString, QHash<QString, double>> byFont;
    return byFont[font.families().join(u',') + u'|' + font.key()];
}

double widestLine(const StyleLook& look, const QString& text)
{
    constexpr qsizetype kMostWidths = 8192; // then the font's list starts again
    const auto known = look.widths->constFind(text);
    if (known != look.widths->constEnd())
        return *known;
    if (look.widths->size() >= kMostWidths)
        look.widths->clear();
    const double width = widestLine(look.metrics, text);
    look.widths->insert(text, width);
    return width;
}

// Cell edges (horizontal or vertical, from their smaller end) joined where one continues or repeats
// another along the same line.
QList<QLineF> joinedEdges(QList<QLineF> edges)
{
    const auto along = [](const QLineF& e) {
        const bool horizontal = e.y1() == e.y2();
        return std::tuple(horizontal, horizontal ? e.y1() : e.x1(), horizontal ? e.x1() : e.y1());
    };
    std::sort(
        edges.begin(), edges.end(), [&](const QLineF& a, const QLineF& b) { return along(a) < along(b); });
    QList<QLineF> joined;
    for (const QLineF& edge : edges) {
        QLineF* last = joined.isEmpty() ? nullptr : &joined.last();
        const bool horizontal = edge.y1() == edge.y2();
        const bool sameLine = last && (last->y1() == last->y2()) == horizontal
            && (horizontal ? last->y1() == edge.y1() : last->x1() == edge.x1());
        if (sameLine && horizontal && edge.x1() <= last->x2())
            last->setP2(QPointF(std::max(last->x2(), edge.x2()), last->y2()));
        else if (sameLine && !horizontal && edge.y1() <= last->y2())
            last->setP2(QPointF(last->x2(), std::max(last->y2(), edge.y2())));
        else
            joined.append(edge);
    }
    return joined;
}

// One call of SheetPainter::paint: the range, its blocks and the looks of its styles.
class RangePainter
{
public:
    RangePainter(const Sheet& sheet, const CellGeometry& geometry, const CellRange& range,
        const SheetPaintOptions& options, QPainter& painter)
        : sheet_(sheet)
        , g_(geometry)
        , range_(range)
        , options_(options)
        , painter_(painter)
        , blocks_(sheet, range)
        , area_(geometry.rect(range))
    {
        const double reach = std::max(1.0, std::round(kWidestBorderTwips * g_.scale()));
        lineArea_ = area_.adjusted(-reach, -reach, reach, reach);
    }

    void paint()
    {
        painter_.save();
        if (options_.whiteBackground)
            painter_.fillRect(area_, Qt::white);
        clipTo(area_);
        if (!options_.blackAndWhite)
            forEachShownUnit([this](int r, int c, const CellRange& unit) { paintFill(r, c, unit); });
        forEachShownUnit([this](int r, int c, const CellRange& unit) { placeText(r, c, unit); });
        clipTo(lineArea_);
        if (options_.gridLines)
            paintGridLines();
        clipTo(area_);
        paintTexts();
        clipTo(lineArea_);
        paintBorders();
        clipTo(area_);
        paintPictures();
        painter_.restore();
    }

private:
    void clipTo(const QRectF& rect)
    {
        painter_.restore();
        painter_.save();
        painter_.setClipRect(rect, Qt::IntersectClip);
    }

    // Every cell that shows itself: the cells of the range outside blocks, and each block touching
    // the range once, by its first cell (which may lie outside the range).
    template <typename Visit> void forEachShownUnit(Visit visit)
    {
        for (int r = range_.row1; r <= range_.row2; ++r) {
            for (int c = range_.col1; c <= range_.col2; ++c) {
                if (!blocks_.blockAt(r, c))
                    visit(r, c, CellRange::cell(r, c));
            }
        }
        for (const CellRange& block : blocks_.blocks())
            visit(block.row1, block.col1, block);
    }

    const StyleLook& look(int row, int col)
    {
        const int id = sheet_.styleId(row, col);
        auto found = looks_.find(id);
        if (found == looks_.end()) {
            const CellFormat format = sheet_.styleFormat(id);
            const QFont font = cellFontInTwips(format);
            const StyleLook look { format, font, deviceFont(format, g_.scale(), painter_.device()),
                QFontMetricsF(font), &knownWidths(font) };
            found = looks_.emplace(id, look).first;
        }
        return found->second;
    }

    double deviceUnits(int twips) const { return std::round(twips * g_.scale()); }

    void paintFill(int r, int c, const CellRange& unit)
    {
        const CellFormat& format = look(r, c).format;
        if (!hasFill(format))
            return;
        const QRectF rect = g_.rect(unit);
        if (format.pattern.value_or(0) != 1)
            painter_.fillRect(rect, fillBackground(format));
        painter_.fillRect(rect, fillBrush(format));
    }

    void placeText(int r, int c, const CellRange& unit)
    {
        const CellValue value = sheet_.value(r, c);
        if (std::holds_alternative<std::monostate>(value))
            return;
        const StyleLook& style = look(r, c);
        const CellFormat& format = style.format;
        PlacedText t;
        const QString code = format.numberFormat.value_or(QStringLiteral("General"));
        const bool number = std::holds_alternative<double>(value);
        const NumberWritten written = number ? sheet_.numberWritten(r, c) : NumberWritten::AsNumber;
        t.text = formatCellValue(value, code, written);
        if (t.text.isEmpty())
            return;
        // A number that shows the characters it was written with is cut at its cell's edge as a text.
        const bool showsWritten = showsWrittenCharacters(code, written);
        t.font = style.font;
        t.deviceFont = &style.deviceFont;
        t.color = options_.blackAndWhite ? QColor(Qt::black) : formatColor(format.fontColor.value_or(0));
        t.cell = g_.rect(unit);
        t.clip = t.cell;
        constexpr double padX = kTextPaddingTwips;
        constexpr double padY = kTextPaddingTwips / 2;
        t.rect = QRectF(QPointF(), g_.sizeTwips(unit)).adjusted(padX, padY, -padX, -padY);
        const HAlign hAlign = format.hAlign.value_or(HAlign::General);
        const Qt::Alignment alignment = textAlignment(format, value);
        const bool wrap = format.wrapText.value_or(false) || hAlign == HAlign::Justify;
        t.option = QTextOption(alignment);
        t.option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
        if (!wrap)
            fitOneLine(t, r, c, unit, number && !showsWritten, style);
        texts_.append(t);
    }

    // A text on one line that is wider than its cell: a number shows "#" (a cut number would show a
    // wrong value), a shrinking text takes a smaller font, another text runs into the empty cells
    // beside it. A text narrower than its cell repeats when the cell fills.
    void fitOneLine(PlacedText& t, int r, int c, const CellRange& unit, bool isNumber, const StyleLook& style)
    {
        const CellFormat& format = style.format;
        const QFontMetricsF& metrics = style.metrics;
        const double width = widestLine(style, t.text);
        const double room = std::max(0.0, t.rect.width());
        if (width <= room) {
            if (format.hAlign == HAlign::Fill && width > 0)
                t.text = t.text.repeated(std::max(1, int(room / width)));
            t.staysInside = !t.text.contains(u'\n') && metrics.height() <= t.rect.height();
            return;
        }
        if (isNumber) {
            t.text = QString(std::max(1, int(room / metrics.horizontalAdvance(u'#'))), u'#');
        } else if (format.shrinkToFit.value_or(false)) {
            const double shrunk = t.font.pixelSize() * std::max(room / width, kSmallestShrink);
            t.font.setPixelSize(std::max(1, int(std::lround(shrunk))));
        } else if (unit.rowCount() == 1 && unit.colCount() == 1) {
            spill(t, r, c, width - room);
        }
    }

    bool isFree(int r, int c) const { return !blocks_.blockAt(r, c) && sheet_.isEmpty(r, c); }

    // `missing` in twips.
    void spill(PlacedText& t, int r, int c, double missing)
    {
        // The text is laid out whole; the clip shows as much of it as the free cells hold.
        const Qt::Alignment h = t.option.alignment() & Qt::AlignHorizontal_Mask;
        if (h & Qt::AlignHCenter) {
            t.rect.adjust(-missing / 2, 0, missing / 2, 0);
            spillLeft(t, r, c, missing / 2);
            spillRight(t, r, c, missing / 2);
        } else if (h & Qt::AlignRight) {
            t.rect.setLeft(t.rect.left() - missing);
            spillLeft(t, r, c, missing);
        } else {
            t.rect.setRight(t.rect.right() + missing);
            spillRight(t, r, c, missing);
        }
    }

    void spillRight(PlacedText& t, int r, int c, double missing)
    {
        for (int next = c + 1; missing > 0 && next <= range_.col2 && isFree(r, next); ++next) {
            spilledEdges_.insert(edgeKey(r, next));
            missing -= g_.layout().cols.size(next);
            t.clip.setRight(g_.x(next + 1));
        }
    }

    void spillLeft(PlacedText& t, int r, int c, double missing)
    {
        for (int next = c - 1; missing > 0 && next >= range_.col1 && isFree(r, next); --next) {
            spilledEdges_.insert(edgeKey(r, next + 1));
            missing -= g_.layout().cols.size(next);
            t.clip.setLeft(g_.x(next));
        }
    }

    // The line on the left side of a cell.
    static quint64 edgeKey(int row, int col) { return (quint64(quint32(row)) << 32) | quint32(col); }

    void paintGridLines()
    {
        QList<QLineF> lines;
        for (int r = range_.row1; r <= range_.row2; ++r) {
            for (int c = range_.col1; c <= range_.col2; ++c) {
                const double left = g_.x(c), right = g_.x(c + 1), top = g_.y(r), bottom = g_.y(r + 1);
                if (r == range_.row1 && !blocks_.joinsDown(r - 1, c))
                    lines.append(QLineF(left, top, right, top));
                if (c == range_.col1 && !blocks_.joinsRight(r, c - 1)
                    && !spilledEdges_.contains(edgeKey(r, c)))
                    lines.append(QLineF(left, top, left, bottom));
                if (!blocks_.joinsDown(r, c))
                    lines.append(QLineF(left, bottom, right, bottom));
                if (!blocks_.joinsRight(r, c) && !spilledEdges_.contains(edgeKey(r, c + 1)))
                    lines.append(QLineF(right, top, right, bottom));
            }
        }
        painter_.setPen(QPen(options_.gridColor, std::max(1.0, deviceUnits(kGridLineTwips))));
        painter_.drawLines(lines);
    }

    // A text that stays inside its rect needs no clip of its own; font and colour are set when they
    // change (each setting makes the painter resolve the font anew). On paper a font in whole device
    // pixels is within a fraction of a percent of its exact size, so a one-line text that fits its cell
    // is drawn by the printer itself, shaped and cached as it draws the same captions page after page;
    // every other text, and every text on screen (where a whole pixel is up to a twentieth of a letter),
    // is laid out in twips.
    void paintTexts()
    {
        const bool onPaper = painter_.device()->devType() == QInternal::Printer;
        const QFont* font = nullptr;
        std::optional<QColor> color;
        for (const PlacedText& t : texts_) {
            if (!t.staysInside) {
                painter_.save();
                painter_.setClipRect(t.clip, Qt::IntersectClip);
                painter_.setPen(t.color);
                CellTextLayout(t.text, t.font, t.option, t.rect).draw(painter_, t.cell.topLeft(), g_.scale());
                painter_.restore();
                continue;
            }
            if (color != t.color) {
                painter_.setPen(t.color);
                color = t.color;
            }
            if (!onPaper) {
                CellTextLayout(t.text, t.font, t.option, t.rect).draw(painter_, t.cell.topLeft(), g_.scale());
                continue;
            }
            if (font != t.deviceFont) {
                painter_.setFont(*t.deviceFont);
                font = t.deviceFont;
            }
            const QRectF rect(t.cell.topLeft() + t.rect.topLeft() * g_.scale(), t.rect.size() * g_.scale());
            painter_.drawText(rect, t.text, t.option);
        }
    }

    void addBorder(QList<BorderSegment>& segments, int r, int c, BorderSide side)
    {
        if (r < 1 || c < 1 || r > sheet_.maxRow() || c > sheet_.maxCol())
            return;
        const std::optional<Border>& border = look(r, c).format.border(side);
        if (!border || border->style == BorderStyle::None)
            return;
        QLineF edge;
        switch (side) {
        case BorderSide::Top:
            if (blocks_.joinsDown(r - 1, c))
                return;
            edge = QLineF(g_.x(c), g_.y(r), g_.x(c + 1), g_.y(r));
            break;
        case BorderSide::Bottom:
            if (blocks_.joinsDown(r, c))
                return;
            edge = QLineF(g_.x(c), g_.y(r + 1), g_.x(c + 1), g_.y(r + 1));
            break;
        case BorderSide::Left:
            if (blocks_.joinsRight(r, c - 1))
                return;
            edge = QLineF(g_.x(c), g_.y(r), g_.x(c), g_.y(r + 1));
            break;
        case BorderSide::Right:
            if (blocks_.joinsRight(r, c))
                return;
            edge = QLineF(g_.x(c + 1), g_.y(r), g_.x(c + 1), g_.y(r + 1));
            break;
        default:
            return;
        }
        segments.append(BorderSegment { edge, *border, borderLine(border->style).weight });
    }

    // The cells' own sides, and the facing sides of the cells just outside the range, heaviest last.
    void paintBorders()
    {
        QList<BorderSegment> segments;
        for (int r = range_.row1; r <= range_.row2; ++r) {
            for (int c = range_.col1; c <= range_.col2; ++c) {
                for (BorderSide side :
                    { BorderSide::Top, BorderSide::Left, BorderSide::Bottom, BorderSide::Right })
                    addBorder(segments, r, c, side);
            }
            addBorder(segments, r, range_.col1 - 1, BorderSide::Right);
            addBorder(segments, r, range_.col2 + 1, BorderSide::Left);
        }
        for (int c = range_.col1; c <= range_.col2; ++c) {
            addBorder(segments, range_.row1 - 1, c, BorderSide::Bottom);
            addBorder(segments, range_.row2 + 1, c, BorderSide::Top);
        }
        std::stable_sort(segments.begin(), segments.end(),
            [](const BorderSegment& a, const BorderSegment& b) { return a.weight < b.weight; });
        for (auto group = segments.cbegin(); group != segments.cend();) {
            const auto end = std::find_if(
                group, segments.cend(), [&](const BorderSegment& s) { return s.weight != group->weight; });
            paintBorderGroup(group, end);
            group = end;
        }
    }

    // Borders of one weight. Where they are all one solid style and colour, the order they are drawn in
    // shows nowhere, and each line along a row or column goes in one stroke: a page's grid of borders
    // becomes a few dozen lines instead of hundreds of cell sides, each shared side drawn once.
    void paintBorderGroup(
        QList<BorderSegment>::const_iterator begin, QList<BorderSegment>::const_iterator end)
    {
        const Border& border = begin->border;
        const bool uniform
            = std::all_of(begin, end, [&](const BorderSegment& s) { return s.border == border; });
        const QColor color = options_.blackAndWhite ? QColor(Qt::black) : formatColor(border.color);
        if (uniform && borderLine(border.style).dashes.isEmpty()) {
            QList<QLineF> edges;
            for (auto s = begin; s != end; ++s)
                edges.append(s->edge);
            for (const QLineF& line : joinedEdges(std::move(edges)))
                drawBorder(painter_, line, border.style, color, g_.scale());
            return;
        }
        for (auto s = begin; s != end; ++s) {
            const QColor own = options_.blackAndWhite ? QColor(Qt::black) : formatColor(s->border.color);
            drawBorder(painter_, s->edge, s->border.style, own, g_.scale());
        }
    }

    void paintPictures()
    {
        painter_.setRenderHint(QPainter::SmoothPixmapTransform);
        for (int id : sheet_.objectIds()) {
            const DrawingObject& object = sheet_.object(id);
            if (object.anchor.intersects(range_) && !object.image.isNull())
                painter_.drawImage(g_.rect(object.anchor), object.image);
        }
    }

    const Sheet& sheet_;
    const CellGeometry& g_;
    const CellRange range_;
    const SheetPaintOptions& options_;
    QPainter& painter_;
    const RangeBlocks blocks_;
    const QRectF area_;
    QRectF lineArea_;
    std::unordered_map<int, StyleLook> looks_; // by style id; references stay valid
    QList<PlacedText> texts_;
    QSet<quint64> spilledEdges_;
};

} // namespace

SheetPainter::SheetPainter(const Sheet& sheet, const CellGeometry& geometry)
    : sheet_(sheet)
    , geometry_(geometry)
{
}

void SheetPainter::paint(QPainter& painter, const CellRange& range, const SheetPaintOptions& options) const
{
    CellRange r = range.normalized();
    r.row1 = std::max(r.row1, 1);
    r.col1 = std::max(r.col1, 1);
    r.row2 = std::min(r.row2, sheet_.maxRow());
    r.col2 = std::min(r.col2, sheet_.maxCol());
    if (r.row1 > r.row2 || r.col1 > r.col2)
        return;
    RangePainter(sheet_, geometry_, r, options, painter).paint();
}

} // namespace platform::grid

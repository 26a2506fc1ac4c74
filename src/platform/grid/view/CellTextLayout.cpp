#include "CellTextLayout.h"

#include <cmath>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QRawFont>

namespace platform::grid
{

namespace
{

// Line feeds end lines; a carriage return shows as a blank, as in a one-line text.
QString withLineSeparators(QString text)
{
    text.replace(u'\r', u' ');
    text.replace(u'\n', QChar::LineSeparator);
    return text;
}

bool sameFace(const QRawFont& a, const QRawFont& b)
{
    return a.familyName() == b.familyName() && a.styleName() == b.styleName() && a.weight() == b.weight()
        && a.style() == b.style();
}

// The faces of a font as the device draws them at a size, kept per thread (a handful of sizes per
// zoom). A face is taken as the device's font resolves it at the nearest whole pixel size, so that a
// bold the face lacks is thickened as at that size (screen sizes only), and is then set to the exact
// size, so that each letter is as large as on paper.
class DeviceFaces
{
public:
    // What tells a font at a size from another.
    static QString fontKey(const QFont& font, double pixelSize)
    {
        return font.key() + u'|' + font.families().join(u',') + u'|' + QString::number(pixelSize, 'g', 8);
    }

    // The device's face for a face of the layout (a font's faces are one engine each, cheap to tell
    // apart); `text` shows the faces of the font that the device draws.
    QRawFont face(const QRawFont& layoutFace, const QString& fontKey, const QFont& font, double pixelSize,
        const QString& text)
    {
        constexpr qsizetype kMostSizes = 32; // then the list starts again
        if (!sizes_.contains(fontKey) && sizes_.size() >= kMostSizes)
            sizes_.clear();
        QHash<QRawFont, QRawFont>& faces = sizes_[fontKey];
        const auto known = faces.constFind(layoutFace);
        if (known != faces.constEnd())
            return *known;
        QFont sized = font;
        sized.setPixelSize(std::max(1, int(std::lround(pixelSize))));
        QTextLayout layout(text, sized);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        QRawFont face = layoutFace; // a face the device's font does not reach: the layout's own
        for (const QGlyphRun& run : layout.glyphRuns()) {
            if (sameFace(run.rawFont(), layoutFace))
                face = run.rawFont();
        }
        face.setPixelSize(pixelSize);
        return *faces.insert(layoutFace, face);
    }

private:
    QHash<QString, QHash<QRawFont, QRawFont>> sizes_;
};

} // namespace

CellTextLayout::CellTextLayout(
    const QString& text, const QFont& font, const QTextOption& option, const QRectF& rect)
    : layout_(withLineSeparators(text), font)
{
    layout_.setTextOption(option);
    double height = 0;
    layout_.beginLayout();
    for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
        line.setLeadingIncluded(true); // lines a line spacing apart, as rows are measured
        line.setLineWidth(rect.width());
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout_.endLayout();
    const Qt::Alignment vertical = option.alignment() & Qt::AlignVertical_Mask;
    const double free = rect.height() - height;
    offset_ = rect.topLeft();
    if (vertical & Qt::AlignVCenter)
        offset_.ry() += free / 2;
    else if (vertical & Qt::AlignBottom)
        offset_.ry() += free;
}

void CellTextLayout::draw(QPainter& painter, QPointF origin, double scale) const
{
    thread_local DeviceFaces deviceFaces;
    const double pixelSize = layout_.font().pixelSize() * scale;
    const QString fontKey = DeviceFaces::fontKey(layout_.font(), pixelSize);
    const QPointF at = origin + offset_ * scale;
    for (int i = 0; i < layout_.lineCount(); ++i) {
        const QTextLine line = layout_.lineAt(i);
        const QString text = layout_.text().mid(line.textStart(), line.textLength());
        for (QGlyphRun run : line.glyphRuns()) {
            run.setRawFont(deviceFaces.face(run.rawFont(), fontKey, layout_.font(), pixelSize, text));
            QList<QPointF> positions = run.positions();
            for (QPointF& position : positions)
                position *= scale;
            run.setPositions(positions);
            painter.drawGlyphRun(at, run);
        }
    }
}

} // namespace platform::grid

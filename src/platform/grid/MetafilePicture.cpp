#include "platform/grid/MetafilePicture.h"

#include "platform/grid/ReportFonts.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStringDecoder>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <memory>

extern "C" {
#include <libwmf/api.h>
#include <libwmf/defs.h>
#include <libwmf/ipa.h>
#include <libwmf/macro.h>
}

// libwmf parses and plays the metafile; its drawing calls land here and are painted with QPainter onto
// the image, so that lines, fills, texts (Chinese ones too) and bitmaps look as Qt draws everything else.
namespace platform::grid
{

namespace
{

constexpr double DotsPerInch = 96;
constexpr int LargestSide = 2000;
constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr int GbCharset = 134; // GB2312_CHARSET

struct Canvas {
    QImage image;
    std::unique_ptr<QPainter> painter;
    wmfD_Rect bounds {};
    double scaleX = 1;
    double scaleY = 1;

    void paintOn(QImage canvas)
    {
        painter.reset();
        image = std::move(canvas);
        image.fill(Qt::white);
        painter = std::make_unique<QPainter>(&image);
        painter->setRenderHint(QPainter::Antialiasing);
    }

    QPointF map(const wmfD_Coord& point) const
    {
        return { (point.x - bounds.TL.x) * scaleX, (point.y - bounds.TL.y) * scaleY };
    }
    QRectF map(const wmfD_Coord& topLeft, const wmfD_Coord& bottomRight) const
    {
        return QRectF(map(topLeft), map(bottomRight)).normalized();
    }
};

Canvas& canvas(wmfAPI* api)
{
    return *static_cast<Canvas*>(api->device_data);
}

QColor color(const wmfRGB* rgb)
{
    return QColor(rgb->r, rgb->g, rgb->b);
}

QString decodeText(const char* text, const wmfFont* font)
{
    if (font && font->lfCharSet == GbCharset) {
        QStringDecoder gbk("GBK");
        if (gbk.isValid())
            return gbk(QByteArray(text));
    }
    return QString::fromLatin1(text);
}

// Face names are written in the code page of the Chinese Windows that made the metafile, whatever
// the text's character set ("宋体" over Latin text too); ASCII names read the same in it.
QString faceName(const wmfFont* font)
{
    if (!font || !font->lfFaceName)
        return QString();
    QStringDecoder gbk("GBK");
    return gbk.isValid() ? gbk(QByteArray(font->lfFaceName)) : QString::fromLatin1(font->lfFaceName);
}

QFont qtFont(const wmfFont* font, double pixelSize)
{
    QFont qfont(reportFontFamilies(faceName(font)));
    qfont.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    if (font) {
        qfont.setWeight(font->lfWeight >= 600 ? QFont::Bold : QFont::Normal);
        qfont.setItalic(font->lfItalic);
        qfont.setUnderline(font->lfUnderline);
        qfont.setStrikeOut(font->lfStrikeOut);
    }
    return qfont;
}

QPen pen(const Canvas& target, const wmfDC* dc)
{
    const wmfPen* wpen = WMF_DC_PEN(dc);
    if (!wpen || WMF_PEN_STYLE(wpen) == PS_NULL)
        return Qt::NoPen;
    const double width = (WMF_PEN_WIDTH(wpen) * target.scaleX + WMF_PEN_HEIGHT(wpen) * target.scaleY) / 2;
    QPen qpen(color(WMF_PEN_COLOR(wpen)), width < 1 ? 0 : width);
    switch (WMF_PEN_STYLE(wpen)) {
    case PS_DASH:
        qpen.setStyle(Qt::DashLine);
        break;
    case PS_DOT:
    case PS_ALTERNATE:
        qpen.setStyle(Qt::DotLine);
        break;
    case PS_DASHDOT:
        qpen.setStyle(Qt::DashDotLine);
        break;
    case PS_DASHDOTDOT:
        qpen.setStyle(Qt::DashDotDotLine);
        break;
    default:
        break;
    }
    switch (WMF_PEN_ENDCAP(wpen)) {
    case PS_ENDCAP_SQUARE:
        qpen.setCapStyle(Qt::SquareCap);
        break;
    case PS_ENDCAP_FLAT:
        qpen.setCapStyle(Qt::FlatCap);
        break;
    default:
        qpen.setCapStyle(Qt::RoundCap);
        break;
    }
    switch (WMF_PEN_JOIN(wpen)) {
    case PS_JOIN_BEVEL:
        qpen.setJoinStyle(Qt::BevelJoin);
        break;
    case PS_JOIN_MITER:
        qpen.setJoinStyle(Qt::MiterJoin);
        break;
    default:
        qpen.setJoinStyle(Qt::RoundJoin);
        break;
    }
    return qpen;
}

QBrush brush(const wmfDC* dc)
{
    const wmfBrush* wbrush = WMF_DC_BRUSH(dc);
    if (!wbrush)
        return Qt::NoBrush;
    const QColor fill = color(WMF_BRUSH_COLOR(wbrush));
    switch (WMF_BRUSH_STYLE(wbrush)) {
    case BS_NULL:
        return Qt::NoBrush;
    case BS_HATCHED: {
        static constexpr Qt::BrushStyle Hatches[] = { Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
            Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern };
        const int hatch = WMF_BRUSH_HATCH(wbrush);
        return QBrush(fill, hatch >= 0 && hatch < 6 ? Hatches[hatch] : Qt::SolidPattern);
    }
    case BS_PATTERN:
    case BS_DIBPATTERN:
    case BS_DIBPATTERNPT:
        if (const auto* pattern = static_cast<const QImage*>(wbrush->bmp.data))
            return QBrush(*pattern);
        return QBrush(fill);
    default:
        return QBrush(fill);
    }
}

// Sets the pen and brush of the device context for one shape; `filled` false for lines.
QPainter& prepare(wmfAPI* api, const wmfDC* dc, bool filled)
{
    Canvas& target = canvas(api);
    target.painter->setPen(pen(target, dc));
    target.painter->setBrush(filled ? brush(dc) : Qt::NoBrush);
    return *target.painter;
}

QPolygonF polygon(const Canvas& target, const wmfD_Coord* points, int count)
{
    QPolygonF result;
    result.reserve(count);
    for (int i = 0; i < count; ++i)
        result.append(target.map(points[i]));
    return result;
}

Qt::FillRule fillRule(const wmfDC* dc)
{
    return WMF_DC_POLYFILL(dc) == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
}

void drawRectangle(wmfAPI* api, wmfDrawRectangle_t* shape)
{
    Canvas& target = canvas(api);
    QPainter& painter = prepare(api, shape->dc, true);
    const QRectF rect = target.map(shape->TL, shape->BR);
    if (shape->width > 0 || shape->height > 0)
        painter.drawRoundedRect(rect, shape->width * target.scaleX / 2, shape->height * target.scaleY / 2);
    else
        painter.drawRect(rect);
}

void drawEllipse(wmfAPI* api, wmfDrawArc_t* shape)
{
    prepare(api, shape->dc, true).drawEllipse(canvas(api).map(shape->TL, shape->BR));
}

// Arcs run counter-clockwise from the start to the end point, both given from the ellipse's centre.
enum class ArcKind { Open, Pie, Chord };
void drawArcShape(wmfAPI* api, const wmfDrawArc_t* shape, ArcKind kind)
{
    Canvas& target = canvas(api);
    const QRectF rect = target.map(shape->TL, shape->BR);
    if (rect.isEmpty())
        return;
    const auto angle = [&](const wmfD_Coord& point) {
        return std::atan2(-point.y * target.scaleY / rect.height(), point.x * target.scaleX / rect.width())
            * 180 / M_PI;
    };
    const double start = angle(shape->start);
    double sweep = angle(shape->end) - start;
    if (sweep <= 0)
        sweep += 360;
    QPainterPath path;
    if (kind == ArcKind::Pie)
        path.moveTo(rect.center());
    else
        path.arcMoveTo(rect, start);
    path.arcTo(rect, start, sweep);
    if (kind != ArcKind::Open)
        path.closeSubpath();
    prepare(api, shape->dc, kind != ArcKind::Open).drawPath(path);
}

void drawArc(wmfAPI* api, wmfDrawArc_t* shape)
{
    drawArcShape(api, shape, ArcKind::Open);
}
void drawPie(wmfAPI* api, wmfDrawArc_t* shape)
{
    drawArcShape(api, shape, ArcKind::Pie);
}
void drawChord(wmfAPI* api, wmfDrawArc_t* shape)
{
    drawArcShape(api, shape, ArcKind::Chord);
}

void drawLine(wmfAPI* api, wmfDrawLine_t* line)
{
    const Canvas& target = canvas(api);
    prepare(api, line->dc, false).drawLine(target.map(line->from), target.map(line->to));
}

void drawPolyline(wmfAPI* api, wmfPolyLine_t* line)
{
    prepare(api, line->dc, false).drawPolyline(polygon(canvas(api), line->pt, line->count));
}

void drawPolygon(wmfAPI* api, wmfPolyLine_t* shape)
{
    prepare(api, shape->dc, true)
        .drawPolygon(polygon(canvas(api), shape->pt, shape->count), fillRule(shape->dc));
}

void drawPolyPolygon(wmfAPI* api, wmfPolyPoly_t* shapes)
{
    QPainterPath path;
    path.setFillRule(fillRule(shapes->dc));
    for (int i = 0; i < shapes->npoly; ++i)
        path.addPolygon(polygon(canvas(api), shapes->pt[i], shapes->count[i]));
    prepare(api, shapes->dc, true).drawPath(path);
}

void drawPixel(wmfAPI* api, wmfDrawPixel_t* pixel)
{
    Canvas& target = canvas(api);
    const QPointF at = target.map(pixel->pt);
    target.painter->fillRect(QRectF(at,
                                 QSizeF(std::max(1.0, pixel->pixel_width * target.scaleX),
                                     std::max(1.0, pixel->pixel_height * target.scaleY))),
        color(&pixel->color));
}

void fillArea(wmfAPI* api, wmfROP_Draw_t* area)
{
    Canvas& target = canvas(api);
    target.painter->fillRect(target.map(area->TL, area->BR), brush(area->dc));
}

void paintRegion(wmfAPI* api, wmfPolyRectangle_t* region)
{
    Canvas& target = canvas(api);
    for (unsigned int i = 0; i < region->count; ++i)
        target.painter->fillRect(target.map(region->TL[i], region->BR[i]), brush(region->dc));
}

void clipRegion(wmfAPI* api, wmfPolyRectangle_t* region)
{
    Canvas& target = canvas(api);
    if (region->count == 0) {
        target.painter->setClipping(false);
        return;
    }
    QRegion clip;
    for (unsigned int i = 0; i < region->count; ++i)
        clip += target.map(region->TL[i], region->BR[i]).toAlignedRect();
    target.painter->setClipRegion(clip);
}

void drawText(wmfAPI* api, wmfDrawText_t* text)
{
    Canvas& target = canvas(api);
    const wmfFont* font = WMF_DC_FONT(text->dc);
    const QString shown = decodeText(text->str, font);
    // Fonts need a GUI application; a host without one gets the picture without its texts.
    if (shown.isEmpty() || !QGuiApplication::instance())
        return;
    QPainter& painter = *target.painter;
    if (WMF_DC_OPAQUE(text->dc)) {
        const QPolygonF box { target.map(text->bbox.TL), target.map(text->bbox.TR), target.map(text->bbox.BR),
            target.map(text->bbox.BL) };
        QPainterPath background;
        background.addPolygon(box);
        painter.fillPath(background, color(WMF_DC_BACKGROUND(text->dc)));
    }
    painter.save();
    QFont qfont = qtFont(font, text->font_height * target.scaleY);
    if (text->font_ratio > 0)
        qfont.setStretch(std::clamp(int(std::lround(text->font_ratio * 100 * 2)), 1, 4000) / 2);
    painter.setFont(qfont);
    painter.setPen(color(WMF_DC_TEXTCOLOR(text->dc)));
    painter.translate(target.map(text->pt));
    if (font)
        painter.rotate(-WMF_TEXT_ANGLE(font) * 180 / M_PI);
    painter.drawText(QPointF(0, 0), shown);
    painter.restore();
}

// A DIB of the metafile (info header, colours, bits) read as a BMP file with its file header added.
void readBitmap(wmfAPI* api, wmfBMP_Read_t* bitmap)
{
    bitmap->bmp.data = nullptr;
    if (bitmap->length < 16 || !bitmap->buffer)
        return;
    const uchar* dib = bitmap->buffer;
    const quint32 headerSize = qFromLittleEndian<quint32>(dib);
    quint32 colours = 0;
    if (headerSize == 12) {
        const int bits = qFromLittleEndian<quint16>(dib + 10);
        colours = bits <= 8 ? (1u << bits) * 3 : 0;
    } else if (headerSize >= 40 && bitmap->length >= 40) {
        const int bits = qFromLittleEndian<quint16>(dib + 14);
        const quint32 compression = qFromLittleEndian<quint32>(dib + 16);
        const quint32 used = qFromLittleEndian<quint32>(dib + 32);
        colours = (used ? used : bits <= 8 ? (1u << bits) : 0) * 4;
        if (headerSize == 40 && compression == 3)
            colours += 12; // the three masks of BI_BITFIELDS
    } else {
        return;
    }
    QByteArray file(14, '\0');
    file[0] = 'B';
    file[1] = 'M';
    qToLittleEndian<quint32>(quint32(14 + bitmap->length), file.data() + 2);
    qToLittleEndian<quint32>(14 + headerSize + colours, file.data() + 10);
    file.append(reinterpret_cast<const char*>(dib), bitmap->length);
    QImage image = QImage::fromData(file, "BMP");
    if (image.isNull())
        return;
    bitmap->bmp.width = quint16(image.width());
    bitmap->bmp.height = quint16(image.height());
    bitmap->bmp.data = new QImage(std::move(image));
}

void freeBitmap(wmfAPI*, wmfBMP* bitmap)
{
    delete static_cast<QImage*>(bitmap->data);
    bitmap->data = nullptr;
}

void drawBitmap(wmfAPI* api, wmfBMP_Draw_t* bitmap)
{
    const auto* image = static_cast<const QImage*>(bitmap->bmp.data);
    if (!image)
        return;
    Canvas& target = canvas(api);
    const QRectF source(bitmap->crop.x, bitmap->crop.y, bitmap->crop.w, bitmap->crop.h);
    const QRectF place(target.map(bitmap->pt),
        QSizeF(bitmap->crop.w * bitmap->pixel_width * target.scaleX,
            bitmap->crop.h * bitmap->pixel_height * target.scaleY));
    target.painter->drawImage(place, *image, source);
}

void mapFont(wmfAPI*, wmfFont*)
{
}

// The width of the text at a size of one point, in points.
float textWidth(wmfAPI*, wmfFont* font, char* text)
{
    if (!QGuiApplication::instance())
        return 0;
    constexpr double Size = 100;
    return float(QFontMetricsF(qtFont(font, Size)).horizontalAdvance(decodeText(text, font)) / Size);
}

void installDevice(wmfAPI* api)
{
    auto* functions = static_cast<wmfFunctionReference*>(api->function_reference);
    functions->draw_pixel = drawPixel;
    functions->draw_pie = drawPie;
    functions->draw_chord = drawChord;
    functions->draw_arc = drawArc;
    functions->draw_ellipse = drawEllipse;
    functions->draw_line = drawLine;
    functions->poly_line = drawPolyline;
    functions->draw_polygon = drawPolygon;
    functions->draw_polypolygon = drawPolyPolygon;
    functions->draw_rectangle = drawRectangle;
    functions->rop_draw = fillArea;
    functions->bmp_draw = drawBitmap;
    functions->bmp_read = readBitmap;
    functions->bmp_free = freeBitmap;
    functions->draw_text = drawText;
    functions->region_paint = paintRegion;
    functions->region_clip = clipRegion;

    auto* fonts = static_cast<wmfFontData*>(wmf_malloc(api, sizeof(wmfFontData)));
    if (!fonts)
        return;
    fonts->map = mapFont;
    fonts->stringwidth = textWidth;
    fonts->user_data = nullptr;
    api->font_data = fonts;
}

struct ApiRelease {
    void operator()(wmfAPI* api) const { wmf_lite_destroy(api); }
};

} // namespace

bool looksLikeMetafile(const QByteArray& data)
{
    if (data.size() < 18)
        return false;
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    if (qFromLittleEndian<quint32>(bytes) == PlaceableKey)
        return true;
    const quint16 type = qFromLittleEndian<quint16>(bytes);
    const quint16 headerWords = qFromLittleEndian<quint16>(bytes + 2);
    return (type == 1 || type == 2) && headerWords == 9;
}

QString metafileHeaderFault(const QByteArray& data)
{
    const auto* bytes = reinterpret_cast<const uchar*>(data.constData());
    const qsizetype header = data.size() >= 4 && qFromLittleEndian<quint32>(bytes) == PlaceableKey ? 22 : 0;
    constexpr qsizetype HeaderBytes = 18;
    constexpr qsizetype LargestRecordAt = 12; // a 32-bit count of 16-bit words
    if (data.size() < header + HeaderBytes)
        return QStringLiteral("文件头不完整");
    if (2 * qint64(qFromLittleEndian<quint32>(bytes + header + LargestRecordAt)) > data.size())
        return QStringLiteral("文件头所记的最大记录长于文件");
    return {};
}

QImage renderMetafile(const QByteArray& data)
{
    if (!looksLikeMetafile(data) || !metafileHeaderFault(data).isEmpty())
        return {};
    // Declared before the player, so that they outlive it: it reads the bytes and paints the canvas.
    QByteArray bytes = data; // libwmf reads through a non-const pointer
    Canvas target;
    wmfAPI_Options options {};
    options.function = installDevice;
    wmfAPI* created = nullptr;
    if (wmf_lite_create(&created,
            WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG, &options)
        != wmf_E_None)
        return {};
    const std::unique_ptr<wmfAPI, ApiRelease> api(created);
    api->device_data = &target;
    // Scanning measures the picture; should it draw anything, it lands on a scratch pixel.
    target.paintOn(QImage(1, 1, QImage::Format_RGB32));
    if (wmf_mem_open(api.get(), reinterpret_cast<unsigned char*>(bytes.data()), bytes.size()) != wmf_E_None
        || wmf_scan(api.get(), 0, &target.bounds) != wmf_E_None)
        return {};
    unsigned int width = 0;
    unsigned int height = 0;
    if (wmf_display_size(api.get(), &width, &height, DotsPerInch, DotsPerInch) != wmf_E_None || width == 0
        || height == 0)
        return {};
    const double shrink = std::min(1.0, double(LargestSide) / std::max(width, height));
    const int imageWidth = std::max(1, int(width * shrink));
    const int imageHeight = std::max(1, int(height * shrink));
    const double boundsWidth = target.bounds.BR.x - target.bounds.TL.x;
    const double boundsHeight = target.bounds.BR.y - target.bounds.TL.y;
    if (boundsWidth <= 0 || boundsHeight <= 0)
        return {};
    target.scaleX = imageWidth / boundsWidth;
    target.scaleY = imageHeight / boundsHeight;
    target.paintOn(QImage(imageWidth, imageHeight, QImage::Format_RGB32));
    const wmf_error_t played = wmf_play(api.get(), 0, &target.bounds);
    target.painter.reset();
    return played == wmf_E_None ? target.image : QImage();
}

} // namespace platform::grid

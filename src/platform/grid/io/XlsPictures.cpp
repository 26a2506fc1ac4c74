#include "XlsPictures.h"

#include "LittleEndian.h"
#include "PngText.h"

#include <QCryptographicHash>

namespace platform::grid::io
{

namespace
{

// Record types of the drawing layer.
constexpr quint16 kDggContainer = 0xF000;
constexpr quint16 kBStoreContainer = 0xF001;
constexpr quint16 kDgContainer = 0xF002;
constexpr quint16 kSpgrContainer = 0xF003;
constexpr quint16 kSpContainer = 0xF004;
constexpr quint16 kDgg = 0xF006;
constexpr quint16 kBse = 0xF007;
constexpr quint16 kDg = 0xF008;
constexpr quint16 kSpgr = 0xF009;
constexpr quint16 kSp = 0xF00A;
constexpr quint16 kOpt = 0xF00B;
constexpr quint16 kClientAnchor = 0xF010;
constexpr quint16 kClientData = 0xF011;
constexpr quint16 kBlipPng = 0xF01E;

constexpr quint16 kBlipTypePng = 6;
constexpr quint16 kPngInstance = 0x6E0;
constexpr quint16 kPictureFrame = 75;
constexpr quint16 kBlipProperty = 0x4104; // the picture's store number
constexpr quint32 kShapesPerCluster = 1024;

constexpr int kSpContainerSize = 8 + (8 + 8) + (8 + 6) + (8 + 18) + 8; // one picture with its header
constexpr int kGroupSpContainerSize = 8 + (8 + 16) + (8 + 8);

// A record header of the drawing layer: version and instance, type, length of what follows.
void header(QByteArray& out, quint16 version, quint16 instance, quint16 type, quint32 length)
{
    le::putU16(out, quint16(version | instance << 4));
    le::putU16(out, type);
    le::putU32(out, length);
}

void shape(QByteArray& out, quint16 kind, quint32 id, quint32 flags)
{
    header(out, 2, kind, kSp, 8);
    le::putU32(out, id);
    le::putU32(out, flags);
}

// The OBJ record that goes with a picture shape: its kind, number and options.
void writePictureObject(BiffWriter& out, int number)
{
    out.begin(biff::Obj);
    out.u16(0x15); // common object data
    out.u16(0x12);
    out.u16(8); // a picture
    out.u16(quint16(number));
    out.u16(0x6011); // locked, printed, sized with its cells
    out.zeros(12);
    out.u16(0x07); // clipboard format
    out.u16(2);
    out.u16(0x0002);
    out.u16(0x08); // picture options: drawn from the store
    out.u16(2);
    out.u16(0x0001);
    out.u32(0); // end
    out.end();
}

} // namespace

quint32 XlsPictures::blipOf(const QImage& image)
{
    if (const auto known = blipOfImage_.constFind(image.cacheKey()); known != blipOfImage_.constEnd()) {
        ++blips_[known.value() - 1].uses;
        return known.value();
    }
    const QByteArray png = pngBytes(image);
    const QByteArray digest = QCryptographicHash::hash(png, QCryptographicHash::Md5);
    quint32 blip = blipOfDigest_.value(digest);
    if (blip == 0) {
        blips_.append({ png, digest });
        blip = quint32(blips_.size());
        blipOfDigest_.insert(digest, blip);
    }
    blipOfImage_.insert(image.cacheKey(), blip);
    ++blips_[blip - 1].uses;
    return blip;
}

void XlsPictures::writeWorksheetDrawing(BiffWriter& out, const QList<Placement>& pictures)
{
    if (pictures.isEmpty())
        return;
    const quint32 shapes = quint32(pictures.size()) + 1;
    const quint32 clusters = (shapes + kShapesPerCluster - 1) / kShapesPerCluster;
    const Drawing drawing { quint32(drawings_.size()) + 1, nextCluster_ * kShapesPerCluster, shapes };
    drawings_.append(drawing);
    nextCluster_ += clusters;

    const quint32 groupSize = kGroupSpContainerSize + quint32(pictures.size()) * kSpContainerSize;
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        QByteArray escher;
        if (i == 0) {
            header(escher, 0xF, 0, kDgContainer, 16 + 8 + groupSize);
            header(escher, 0, quint16(drawing.id), kDg, 8);
            le::putU32(escher, shapes);
            le::putU32(escher, drawing.firstShape + shapes - 1); // the last shape id in use
            header(escher, 0xF, 0, kSpgrContainer, groupSize);
            header(escher, 0xF, 0, kSpContainer, kGroupSpContainerSize - 8);
            header(escher, 1, 0, kSpgr, 16);
            escher.append(16, '\0');
            shape(escher, 0, drawing.firstShape, 0x0005); // the group of every shape
        }
        const Placement& picture = pictures[i];
        header(escher, 0xF, 0, kSpContainer, kSpContainerSize - 8);
        shape(escher, kPictureFrame, drawing.firstShape + quint32(i) + 1, 0x0A00); // anchored, with a kind
        header(escher, 3, 1, kOpt, 6);
        le::putU16(escher, kBlipProperty);
        le::putU32(escher, picture.blip);
        header(escher, 0, 0, kClientAnchor, 18);
        le::putU16(escher, 0); // moved and sized with its cells
        le::putU16(escher, quint16(picture.cells.col1));
        le::putU16(escher, 0);
        le::putU16(escher, quint16(picture.cells.row1));
        le::putU16(escher, 0);
        le::putU16(escher, quint16(picture.cells.col2));
        le::putU16(escher, 1023); // to the right edge of the last column (1/1024 of its width)
        le::putU16(escher, quint16(picture.cells.row2));
        le::putU16(escher, 255); // to the bottom of the last row (1/256 of its height)
        header(escher, 0, 0, kClientData, 0);

        out.begin(biff::MsoDrawing);
        out.bytes(escher);
        out.end();
        writePictureObject(out, int(i) + 1);
    }
}

void XlsPictures::writeGroup(BiffWriter& out) const
{
    if (drawings_.isEmpty())
        return;
    QByteArray store;
    for (const Blip& blip : blips_) {
        const quint32 blipSize = 8 + 17 + quint32(blip.png.size());
        header(store, 2, kBlipTypePng, kBse, 36 + blipSize);
        le::putU8(store, kBlipTypePng); // for Windows
        le::putU8(store, kBlipTypePng); // for the Macintosh
        store.append(blip.digest);
        le::putU16(store, 0x00FF);
        le::putU32(store, blipSize);
        le::putU32(store, blip.uses);
        le::putU32(store, 0); // the picture follows here, not in a stream of its own
        store.append(4, '\0'); // no name
        header(store, 0, kPngInstance, kBlipPng, 17 + quint32(blip.png.size()));
        store.append(blip.digest);
        le::putU8(store, 0xFF);
        store.append(blip.png);
    }

    QByteArray clusters;
    quint32 clusterCount = 0;
    quint32 savedShapes = 0;
    quint32 maxShape = 0;
    for (const Drawing& drawing : drawings_) {
        for (quint32 used = 0; used < drawing.shapes; used += kShapesPerCluster, ++clusterCount) {
            le::putU32(clusters, drawing.id);
            le::putU32(clusters, std::min(kShapesPerCluster, drawing.shapes - used));
        }
        savedShapes += drawing.shapes;
        maxShape = std::max(maxShape, drawing.firstShape + drawing.shapes);
    }

    QByteArray group;
    header(group, 0xF, 0, kDggContainer, 8 + 16 + quint32(clusters.size()) + 8 + quint32(store.size()));
    header(group, 0, 0, kDgg, 16 + quint32(clusters.size()));
    le::putU32(group, maxShape);
    le::putU32(group, clusterCount + 1);
    le::putU32(group, savedShapes);
    le::putU32(group, quint32(drawings_.size()));
    group.append(clusters);
    header(group, 0xF, quint16(blips_.size()), kBStoreContainer, quint32(store.size()));
    group.append(store);

    quint16 id = biff::MsoDrawingGroup;
    for (qsizetype start = 0; start < group.size(); start += biff::kMaxRecordData) {
        out.begin(id);
        out.bytes(QByteArrayView(group).sliced(
            start, std::min<qsizetype>(biff::kMaxRecordData, group.size() - start)));
        out.end();
        id = biff::Continue;
    }
}

} // namespace platform::grid::io

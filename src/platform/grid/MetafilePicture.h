#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace platform::grid
{

// True when the data begins as a Windows metafile does: the placeable header's key, or the header of a
// memory or disk metafile.
bool looksLikeMetafile(const QByteArray& data);

// Why the metafile is not handed to libwmf, or an empty text: libwmf allocates a buffer of the header's
// largest record before it reads any record, so a header that claims a record longer than the whole file
// (or that is cut short) is refused.
QString metafileHeaderFault(const QByteArray& data);

// A Windows metafile (.wmf) played by libwmf onto an image of its own size at 96 dots per inch (the
// longer side kept to at most 2,000 pixels), on a white ground. A null image when libwmf cannot read
// it or its header is at fault.
QImage renderMetafile(const QByteArray& data);

} // namespace platform::grid

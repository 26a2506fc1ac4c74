#pragma once

#include <QByteArray>
#include <QImage>

namespace platform::grid
{

// True when the data begins as a Windows metafile does: the placeable header's key, or the header of a
// memory or disk metafile.
bool looksLikeMetafile(const QByteArray& data);

// A Windows metafile (.wmf) played by libwmf onto an image of its own size at 96 dots per inch (the
// longer side kept to at most 2,000 pixels), on a white ground. A null image when libwmf cannot read
// it.
QImage renderMetafile(const QByteArray& data);

} // namespace platform::grid

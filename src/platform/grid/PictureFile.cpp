#include "platform/grid/PictureFile.h"

#include "platform/Error.h"
#include "platform/grid/MetafilePicture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace platform::grid
{

namespace
{

const QString Source = QStringLiteral("PictureFile");

} // namespace

QImage readPictureFile(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        throw Error(errors::FileError, Source, QStringLiteral("图片文件不存在：%1").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        throw Error(errors::FileError, Source,
            QStringLiteral("图片文件不能读取：%1（%2）").arg(path, file.errorString()));
    const QByteArray data = file.readAll();
    if (looksLikeMetafile(data)) {
        const QString fault = metafileHeaderFault(data);
        if (!fault.isEmpty())
            throw Error(
                errors::FileError, Source, QStringLiteral("图元文件不能读取：%1（%2）").arg(path, fault));
        QImage image = renderMetafile(data);
        if (image.isNull())
            throw Error(errors::FileError, Source, QStringLiteral("图元文件不能读取：%1").arg(path));
        return image;
    }
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer);
    QImage image = reader.read();
    if (image.isNull())
        throw Error(errors::FileError, Source,
            QStringLiteral("图片文件不能读取：%1（%2）").arg(path, reader.errorString()));
    return image;
}

} // namespace platform::grid

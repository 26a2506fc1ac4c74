#include "platform/Error.h"
#include "platform/grid/MetafilePicture.h"
#include "platform/grid/PictureFile.h"
#include "support/Metafile.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

using namespace platform::grid;

namespace
{

int fileErrorOf(const QString& path)
{
    try {
        readPictureFile(path);
    } catch (const platform::Error& error) {
        return error.number();
    }
    return 0;
}

TEST(PictureFile, AMetafileIsPlayedOntoAnImageOfItsSize)
{
    const QImage image = renderMetafile(orvtest::redBlueMetafile());
    ASSERT_FALSE(image.isNull());
    // 200 x 100 units at 96 units an inch, drawn at 96 dots an inch.
    EXPECT_NEAR(image.width(), 200, 2);
    EXPECT_NEAR(image.height(), 100, 2);
    EXPECT_EQ(QColor(image.pixel(50, 50)), QColor(Qt::red));
    EXPECT_EQ(QColor(image.pixel(150, 50)), QColor(Qt::blue));
}

TEST(PictureFile, ReadsMetafilesAndTheFormatsQtReadsAndRefusesTheRest)
{
    QTemporaryDir folder;
    const QString metafile = folder.filePath(QStringLiteral("标志.wmf"));
    ASSERT_TRUE(orvtest::writeRedBlueMetafile(metafile));
    EXPECT_EQ(QColor(readPictureFile(metafile).pixel(150, 50)), QColor(Qt::blue));

    QImage green(4, 3, QImage::Format_RGB32);
    green.fill(Qt::green);
    const QString png = folder.filePath(QStringLiteral("green.png"));
    ASSERT_TRUE(green.save(png));
    EXPECT_EQ(readPictureFile(png).size(), QSize(4, 3));

    // A metafile's header over records that make no sense, and a file that is no picture at all.
    QByteArray broken = orvtest::redBlueMetafile().left(40) + QByteArray(30, '\xFF');
    const QString brokenPath = folder.filePath(QStringLiteral("broken.wmf"));
    const QString textPath = folder.filePath(QStringLiteral("note.wmf"));
    for (const auto& [path, data] :
        { std::pair { brokenPath, broken }, std::pair { textPath, QByteArray("no picture") } }) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
    EXPECT_TRUE(looksLikeMetafile(broken));
    EXPECT_FALSE(looksLikeMetafile("no picture"));
    for (const QString& path : { brokenPath, textPath, folder.filePath(QStringLiteral("missing.wmf")) })
        EXPECT_EQ(fileErrorOf(path), platform::errors::FileError) << path.toStdString();
}

} // namespace

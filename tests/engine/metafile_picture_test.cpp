#include "DataReportFixture.h"

#include "platform/grid/io/PngText.h"
#include "platform/grid/io/SheetFile.h"
#include "platform/grid/print/GridPrinter.h"
#include "support/Metafile.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QtEndian>

using namespace enginetest;

namespace
{

class MetafilePicture : public DataReportTest
{
};
ENGINE_TEST_SUITE(MetafilePicture);

bool redAndBlue(const QImage& image)
{
    return !image.isNull() && QColor(image.pixel(image.width() / 4, image.height() / 2)) == QColor(Qt::red)
        && QColor(image.pixel(image.width() * 3 / 4, image.height() / 2)) == QColor(Qt::blue);
}

// A picture cell naming a Windows metafile shows its picture on the built page, in the PDF print of
// the page and in the web page written from it.
TEST_P(MetafilePicture, AMetafilePictureCellShowsOnThePageInThePrintAndInTheWebPage)
{
    const QString metafile = files.filePath(QStringLiteral("印章.wmf"));
    ASSERT_TRUE(orvtest::writeRedBlueMetafile(metafile));
    DocsLayout layout;
    layout.picture = metafile;
    defineReport(layout);
    insertDocs(standardDocs());
    const platform::grid::Sheet sheet = build(1);
    EXPECT_TRUE(loggedProcedures().isEmpty());

    const QList<int> objects = sheet.objectIds();
    ASSERT_EQ(objects.size(), 1);
    const platform::grid::CellRange at = sheet.objectPosition(objects[0]);
    EXPECT_EQ(at.col1, 5);
    EXPECT_GE(at.row1, state().PageRowRanges[0].firstRow);
    EXPECT_LE(at.row2, state().PageRowRanges[0].lastRow);
    EXPECT_TRUE(redAndBlue(sheet.object(objects[0]).image));

    const QString pdf = files.filePath(QStringLiteral("page.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    EXPECT_GE(platform::grid::GridPrinter(sheet).print(printer), 1);
    QProcess images;
    images.start(QStringLiteral("pdfimages"), { QStringLiteral("-list"), pdf });
    ASSERT_TRUE(images.waitForFinished());
    // Two heading lines, then one line per image.
    EXPECT_EQ(QString::fromUtf8(images.readAllStandardOutput()).trimmed().split(u'\n').size(), 3);

    const QString page = files.filePath(QStringLiteral("page.htm"));
    platform::grid::io::writeSheet(sheet, page, platform::grid::io::FileType::Html);
    QFile html(page);
    ASSERT_TRUE(html.open(QIODevice::ReadOnly));
    const auto embedded
        = QRegularExpression(QStringLiteral("<img[^>]*src=\"data:image/png;base64,([^\"]+)\""))
              .match(QString::fromUtf8(html.readAll()));
    ASSERT_TRUE(embedded.hasMatch());
    EXPECT_TRUE(redAndBlue(platform::grid::io::imageFromPngBase64(embedded.captured(1))));
}

// A header claiming a record longer than the whole file (libwmf would allocate that much before reading
// any record) leaves the picture out and logs why; a record as long as the file is still played.
TEST_P(MetafilePicture, AHeaderClaimingARecordLongerThanTheFileLeavesThePictureOutAndLogsIt)
{
    const QString metafile = files.filePath(QStringLiteral("印章.wmf"));
    DocsLayout layout;
    layout.picture = metafile;
    defineReport(layout);
    insertDocs(standardDocs());
    const QString refused
        = QStringLiteral("图元文件不能读取：%1（文件头所记的最大记录长于文件）").arg(metafile);
    QByteArray data = orvtest::redBlueMetafile();
    for (const auto& [extraWords, logged] :
        { std::pair { 0, QStringList {} }, std::pair { 1, QStringList { refused } } }) {
        constexpr int LargestRecordAt = 22 + 12; // after the placeable header
        qToLittleEndian<quint32>(quint32(data.size() / 2 + extraWords), data.data() + LargestRecordAt);
        QFile file(metafile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(data) == data.size());
        file.close();
        execute(QStringLiteral("delete from orv_error_log"));
        const platform::grid::Sheet sheet = build(1);
        EXPECT_EQ(sheet.objectIds().size(), logged.isEmpty() ? 1 : 0) << extraWords;
        QStringList descriptions;
        for (const QStringList& row : database->rows(QStringLiteral("select description from orv_error_log")))
            descriptions.append(row.value(0));
        EXPECT_EQ(descriptions, logged) << extraWords;
    }
}

} // namespace

#include "platform/grid/io/SheetFile.h"
#include "SampleSheets.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

using namespace platform::grid;
using namespace platform::grid::io;

namespace
{

struct HtmlCell {
    QString text;
    QString classes;
    int colspan = 1;
    int rowspan = 1;
};

// What a reader finds in the written page, read as XML: anything not well-formed fails the test.
struct HtmlPage {
    QString title;
    QString styleSheet;
    QList<QString> colStyles;
    QList<QString> rowStyles;
    QList<QList<HtmlCell>> rows;
    QList<QXmlStreamAttributes> images;
};

HtmlPage readPage(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    HtmlPage page;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        const QXmlStreamAttributes attributes = xml.attributes();
        if (name == u"title") {
            page.title = xml.readElementText();
        } else if (name == u"style") {
            page.styleSheet = xml.readElementText();
        } else if (name == u"col") {
            page.colStyles.append(attributes.value("style").toString());
        } else if (name == u"tr") {
            page.rowStyles.append(attributes.value("style").toString());
            page.rows.append(QList<HtmlCell> {});
        } else if (name == u"td") {
            HtmlCell cell;
            cell.classes = attributes.value("class").toString();
            if (attributes.hasAttribute("colspan"))
                cell.colspan = attributes.value("colspan").toInt();
            if (attributes.hasAttribute("rowspan"))
                cell.rowspan = attributes.value("rowspan").toInt();
            cell.text = xml.readElementText();
            page.rows.last().append(cell);
        } else if (name == u"img") {
            page.images.append(attributes);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line " << xml.lineNumber();
    return page;
}

// The CSS declarations of one class of the page's style sheet.
QString classCss(const HtmlPage& page, const QString& classes)
{
    const QString name = classes.split(u' ').first();
    const QRegularExpression rule(QStringLiteral("\\.%1\\{([^}]*)\\}").arg(name));
    return rule.match(page.styleSheet).captured(1);
}

} // namespace

TEST(HtmlWriter, RichSheetAsOneTable)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("卷内目录.htm"));
    writeSheet(richSheet(), path, FileType::Html);
    const HtmlPage page = readPage(path);

    EXPECT_EQ(page.title, QStringLiteral("卷内目录"));
    EXPECT_EQ(page.colStyles,
        (QList<QString> { "width:133px", "width:100px", "width:72px", "width:72px", "width:0px", "width:72px",
            "width:72px", "width:72px" }));
    EXPECT_EQ(page.rowStyles,
        (QList<QString> {
            "height:40px", "height:18px", "height:37px", "height:18px", "height:18px", "height:18px" }));

    // Cells under a merged block are left out; the block's first cell spans it.
    ASSERT_EQ(page.rows.size(), 6);
    const QList<int> cellsPerRow { 6, 8, 8, 8, 7, 6 };
    for (int r = 0; r < 6; ++r)
        EXPECT_EQ(page.rows[r].size(), cellsPerRow[r]) << "row " << r + 1;
    const HtmlCell& title = page.rows[0][0];
    EXPECT_EQ(title.colspan, 3);
    EXPECT_EQ(title.rowspan, 1);
    EXPECT_EQ(title.text, QStringLiteral("档案目录 <2024> & \"附件\""));
    const QString titleCss = classCss(page, title.classes);
    EXPECT_TRUE(titleCss.contains("font-weight:bold")) << titleCss.toStdString();
    EXPECT_TRUE(titleCss.contains("font-size:12pt")) << titleCss.toStdString();
    // The report's family for the machines that have it, then the face that stands in for it here.
    EXPECT_TRUE(titleCss.contains("font-family:'宋体','AR PL UMing CN';")) << titleCss.toStdString();
    EXPECT_TRUE(titleCss.contains("text-align:center")) << titleCss.toStdString();
    // The block shows the right border of its last cell.
    EXPECT_TRUE(titleCss.contains("border-right:1px solid #ff0000")) << titleCss.toStdString();
    EXPECT_EQ(page.rows[4][0].colspan, 2);
    EXPECT_EQ(page.rows[4][0].rowspan, 2);
    EXPECT_EQ(page.rows[4][0].text, QStringLiteral("合并"));

    EXPECT_EQ(page.rows[1][0].text, QStringLiteral("1,234.50"));
    EXPECT_EQ(page.rows[1][1].text, QStringLiteral("25%"));
    EXPECT_EQ(page.rows[1][7].text, QStringLiteral("2023年3月16日"));
    EXPECT_TRUE(page.rows[1][1].classes.endsWith(" r")); // numbers stand right
    EXPECT_EQ(page.rows[2][0].text, QStringLiteral("第一行\n第二行"));
    EXPECT_TRUE(classCss(page, page.rows[2][0].classes).contains("white-space:pre-wrap"));
    EXPECT_EQ(page.rows[2][3].text, QStringLiteral("2469"));
    const QString filledCss = classCss(page, page.rows[3][1].classes);
    EXPECT_TRUE(filledCss.contains("background-color:#ffff00")) << filledCss.toStdString();
    EXPECT_TRUE(filledCss.contains("color:#123456")) << filledCss.toStdString();
    EXPECT_TRUE(classCss(page, page.rows[3][2].classes).contains("border-bottom:3px double #008000"));

    ASSERT_EQ(page.images.size(), 1);
    const QString src = page.images[0].value("src").toString();
    ASSERT_TRUE(src.startsWith("data:image/png;base64,"));
    const QImage picture = QImage::fromData(QByteArray::fromBase64(src.mid(22).toLatin1()), "PNG");
    EXPECT_EQ(picture.convertToFormat(QImage::Format_ARGB32), samplePicture());
    // Over columns D-E and rows 5-6: left of it 2000+1500+1080 twips, above it 600+270+555+270.
    EXPECT_EQ(page.images[0].value("style").toString(),
        QStringLiteral("position:absolute;left:305px;top:113px;width:72px;height:36px"));
}

TEST(HtmlWriter, EmptySheetIsAnEmptyTable)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("empty.html"));
    writeSheet(Sheet(), path, FileType::Html);
    const HtmlPage page = readPage(path);
    EXPECT_EQ(page.title, QStringLiteral("empty"));
    EXPECT_TRUE(page.rows.isEmpty());
}

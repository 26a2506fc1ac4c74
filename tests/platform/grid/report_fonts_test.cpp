#include "platform/grid/ReportFonts.h"
#include "platform/grid/TextMeasure.h"

#include "support/SpreadsheetPrintout.h"

#include <gtest/gtest.h>
#include <QFontInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>

using namespace platform::grid;

// Each family name that reports store, in either of its Windows names and any case, resolves to the
// face installed for it, and the font that draws it really is that face (the packages are installed).
TEST(ReportFonts, WindowsFamiliesResolveToInstalledFacesOfTheirKind)
{
    const struct {
        const char* family;
        const char* face;
    } cases[] = {
        { "宋体", "AR PL UMing CN" },
        { "新宋体", "AR PL UMing CN" },
        { "simsun", "AR PL UMing CN" },
        { "仿宋_GB2312", "AR PL UMing CN" },
        { "FangSong", "AR PL UMing CN" },
        { "黑体", "WenQuanYi Micro Hei" },
        { "SimHei", "WenQuanYi Micro Hei" },
        { "微软雅黑", "WenQuanYi Micro Hei" },
        { "楷体", "AR PL UKai CN" },
        { "楷体_GB2312", "AR PL UKai CN" },
        { "KaiTi", "AR PL UKai CN" },
        { "Arial", "Liberation Sans" },
        { "Times New Roman", "Liberation Serif" },
        { " courier new ", "Liberation Mono" },
        { "DejaVu Sans", "DejaVu Sans" }, // installed here: drawn as it is
        { "方正小标宋简体", "AR PL UMing CN" }, // lacking: the face of an unformatted cell
        { "", "AR PL UMing CN" },
    };
    for (const auto& c : cases) {
        const QString family = QString::fromUtf8(c.family);
        EXPECT_EQ(installedFaceOf(family), QString::fromUtf8(c.face)) << c.family;
        for (const bool bold : { false, true }) {
            const QFontInfo drawn(qFontOf({ family, 12, bold }));
            EXPECT_EQ(drawn.family(), QString::fromUtf8(c.face)) << c.family;
            EXPECT_EQ(drawn.bold(), bold) << c.family;
        }
    }
}

TEST(ReportFonts, LatinFacesTakeChineseFromTheSongFaceAndWindowsSeeTheStandIns)
{
    EXPECT_EQ(reportFontFamilies(QStringLiteral("Arial")), (QStringList { kSansFace, kSongFace }));
    EXPECT_EQ(reportFontFamilies(QStringLiteral("宋体")), QStringList { kSongFace });
    useReportFonts();
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("宋体"), 9)).family(), kSongFace);
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("楷体_GB2312"), 9)).family(), kKaiFace);
}

// A printed report is searched and copied from its PDF: every face writes its characters back as
// they were drawn (a face that shares one glyph between a character and its radical, as the Noto CJK
// faces do, comes back as ⽂ for 文 and ⻚ for 页 from Qt's PDF output).
TEST(ReportFonts, EveryFaceReadsBackFromAPdfAsWritten)
{
    const QString text = QStringLiteral("文书档案目录 页数 长期 门类 见证 金言 Total 2024");
    const QStringList families { "宋体", "黑体", "楷体", "Arial", "Times New Roman", "Courier New" };
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("faces.pdf"));
    {
        QPdfWriter writer(pdf);
        QPainter painter(&writer);
        int line = 0;
        for (const QString& family : families) {
            for (const bool bold : { false, true }) {
                painter.setFont(qFontOf({ family, 12, bold }));
                painter.drawText(QPointF(100, 400 * ++line), text);
            }
        }
    }
    const QStringList lines = orvtest::pdfPageTexts(pdf).value(0).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2 * families.size());
    for (const QString& line : lines)
        EXPECT_EQ(line.simplified(), text) << line.toStdString();
}

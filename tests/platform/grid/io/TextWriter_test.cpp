#include "platform/grid/io/SheetFile.h"
#include "platform/grid/Sheet.h"
#include "platform/grid/SheetTestSupport.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>

using namespace platform::grid;
using namespace platform::grid::io;

namespace
{

QByteArray writtenText(const Sheet& sheet)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.txt"));
    writeSheet(sheet, path, FileType::Text);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

} // namespace

TEST(TextWriter, OneLinePerRowWithWhatEachCellShows)
{
    Sheet sheet;
    sheet.setText(1, 1, QStringLiteral("全宗名称"));
    sheet.setNumber(1, 2, 3.5);
    sheet.applyFormat(CellRange::cell(1, 2), formatWith(&CellFormat::numberFormat, QStringLiteral("0.00")));
    sheet.setText(2, 1, QStringLiteral("a\tb\nc\r\nd"));
    sheet.setFormula(2, 2, QStringLiteral("B1*2"));
    sheet.setText(3, 3, QStringLiteral("末"));
    sheet.merge(CellRange { 2, 2, 3, 2 });
    CellFormat border; // formats beyond the data write no lines
    border.border(BorderSide::Bottom) = Border { BorderStyle::Thin, 0 };
    sheet.applyFormat(CellRange { 4, 1, 6, 5 }, border);

    EXPECT_EQ(QString::fromUtf8(writtenText(sheet)),
        QStringLiteral("全宗名称\t3.50\t\n"
                       "a b c  d\t7\t\n"
                       "\t\t末\n"));
}

TEST(TextWriter, EmptySheetGivesAnEmptyFile)
{
    EXPECT_TRUE(writtenText(Sheet()).isEmpty());
}

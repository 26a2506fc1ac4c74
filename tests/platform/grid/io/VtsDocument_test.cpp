#include "platform/Error.h"
#include "platform/grid/io/SheetFile.h"
#include "platform/grid/io/VtsDocument.h"
#include "SampleSheets.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

using namespace platform;
using namespace platform::grid;
using namespace platform::grid::io;

namespace
{

QList<CellRange> sortedBlocks(const Sheet& sheet)
{
    QList<CellRange> blocks = sheet.mergedBlocks();
    std::sort(blocks.begin(), blocks.end(), [](const CellRange& a, const CellRange& b) {
        return std::tie(a.row1, a.col1) < std::tie(b.row1, b.col1);
    });
    return blocks;
}

// Everything a caller can observe of a sheet, compared property by property.
void expectSameSheet(const Sheet& read, const Sheet& written)
{
    ASSERT_EQ(read.maxRow(), written.maxRow());
    ASSERT_EQ(read.maxCol(), written.maxCol());
    EXPECT_EQ(read.defaultRowHeight(), written.defaultRowHeight());
    EXPECT_EQ(read.defaultColWidth(), written.defaultColWidth());
    EXPECT_EQ(read.lastDataRow(), written.lastDataRow());
    EXPECT_EQ(read.lastDataCol(), written.lastDataCol());
    EXPECT_EQ(read.lastUsedRow(), written.lastUsedRow());
    EXPECT_EQ(read.lastUsedCol(), written.lastUsedCol());
    for (int row = 1; row <= written.maxRow(); ++row) {
        EXPECT_EQ(read.rowHeight(row), written.rowHeight(row)) << "row " << row;
        EXPECT_EQ(read.isRowHeightSet(row), written.isRowHeightSet(row)) << "row " << row;
    }
    for (int col = 1; col <= written.maxCol(); ++col) {
        EXPECT_EQ(read.colWidth(col), written.colWidth(col)) << "col " << col;
        EXPECT_EQ(read.isColWidthSet(col), written.isColWidthSet(col)) << "col " << col;
    }
    for (int row = 1; row <= written.lastUsedRow(); ++row) {
        for (int col = 1; col <= written.lastUsedCol(); ++col) {
            SCOPED_TRACE(testing::Message() << "cell " << row << "," << col);
            EXPECT_EQ(read.isEmpty(row, col), written.isEmpty(row, col));
            EXPECT_EQ(read.hasFormula(row, col), written.hasFormula(row, col));
            EXPECT_EQ(read.entry(row, col), written.entry(row, col));
            EXPECT_TRUE(read.value(row, col) == written.value(row, col));
            EXPECT_EQ(read.text(row, col), written.text(row, col));
            EXPECT_TRUE(read.format(row, col) == written.format(row, col));
        }
    }
    EXPECT_EQ(sortedBlocks(read), sortedBlocks(written));
    ASSERT_EQ(read.objectIds(), written.objectIds());
    for (int id : written.objectIds()) {
        EXPECT_EQ(read.object(id).anchor, written.object(id).anchor);
        EXPECT_EQ(read.object(id).sourcePath, written.object(id).sourcePath);
        EXPECT_EQ(read.object(id).image.convertToFormat(QImage::Format_ARGB32),
            written.object(id).image.convertToFormat(QImage::Format_ARGB32));
    }
    EXPECT_TRUE(read.pageSetup() == written.pageSetup());
    EXPECT_EQ(read.printArea(), written.printArea());
    EXPECT_EQ(read.printTitles(), written.printTitles());
    EXPECT_EQ(read.rowPageBreaks(), written.rowPageBreaks());
}

Sheet roundTrip(const Sheet& sheet)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.vts"));
    writeSheet(sheet, path, FileType::Vts);
    return readVts(path);
}

Sheet resizedSheet()
{
    Sheet sheet;
    sheet.setDefaultRowHeight(300);
    sheet.setDefaultColWidth(900);
    sheet.setMaxRow(40);
    sheet.setMaxCol(12);
    sheet.setRowHeight(7, 300); // set, though equal to the default
    sheet.setColWidth(12, 2400);
    sheet.setEntry(2, 2, QStringLiteral("=1/0"));
    sheet.setText(3, 3, QStringLiteral("00123")); // a text that looks like a number
    sheet.setNumber(4, 4, 0.1 + 0.2); // needs every digit
    sheet.setText(5, 5, QStringLiteral("C:\\卷宗\\ \"引号\"\t\x01末")); // characters JSON escapes
    sheet.setNumber(6, 6, -1.5e-300);
    CellFormat inner;
    inner.border(BorderSide::InnerHorizontal) = Border { BorderStyle::Dotted, qRgb(9, 9, 9) };
    inner.border(BorderSide::InnerVertical) = Border { BorderStyle::DashDot, qRgb(1, 2, 3) };
    sheet.applyFormat(CellRange { 20, 2, 22, 4 }, inner);
    // Numbers written as text keep the characters General and "@" show; one written as a number keeps
    // General's rounding, and a number format shows the number whichever way.
    sheet.setNumber(30, 1, 110101900307123, NumberWritten::AsDigits);
    sheet.setNumber(30, 2, 1.23456789012e20, NumberWritten::AsTyped);
    sheet.setNumber(30, 3, 1e-05, NumberWritten::AsDigits);
    sheet.setNumber(30, 4, 1234.56789012);
    sheet.setNumber(30, 5, 3.14159265358979, NumberWritten::AsDigits);
    for (const auto& [col, code] : { std::pair { 3, "@" }, std::pair { 5, "0.00" } }) {
        CellFormat format;
        format.numberFormat = QString::fromLatin1(code);
        sheet.applyFormat(CellRange::cell(30, col), format);
    }
    return sheet;
}

} // namespace

TEST(VtsDocument, SheetsComeBackUnchanged)
{
    const std::pair<const char*, Sheet> cases[]
        = { { "rich", richSheet() }, { "resized", resizedSheet() }, { "empty", Sheet() } };
    for (const auto& [name, written] : cases) {
        SCOPED_TRACE(name);
        expectSameSheet(roundTrip(written), written);
    }
}

TEST(VtsDocument, WritingWhatWasReadGivesTheSameDocument)
{
    const QByteArray first = vtsDocument(richSheet());
    EXPECT_EQ(vtsDocument(sheetFromVts(first, QStringLiteral("x.vts"))), first);
}

namespace
{

struct BadFileCase {
    const char* name;
    QByteArray content;
};
void PrintTo(const BadFileCase& c, std::ostream* os)
{
    *os << c.name;
}

QByteArray withReplaced(const char* from, const char* to)
{
    return vtsDocument(resizedSheet()).replace(from, to);
}

class VtsBadFileTest : public ::testing::TestWithParam<BadFileCase>
{
};

INSTANTIATE_TEST_SUITE_P(Files, VtsBadFileTest,
    ::testing::Values(BadFileCase { "missing", {} }, BadFileCase { "notJson", "PK\x03\x04 not a sheet" },
        BadFileCase { "otherJson", R"({"format":"something-else","version":1})" },
        BadFileCase { "newerVersion", withReplaced(R"("version":1)", R"("version":2)") },
        BadFileCase { "truncated", vtsDocument(richSheet()).left(300) },
        BadFileCase { "cellOutsideTheSheet", withReplaced("[4,4,-1,", "[41,4,-1,") },
        BadFileCase { "unknownStyle", withReplaced("[20,2,0]", "[20,2,99]") },
        BadFileCase { "unknownValueKind", withReplaced(R"("s","00123")", R"("q","00123")") }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

TEST_P(VtsBadFileTest, ReadingFailsWithAFileError)
{
    const QByteArray content = GetParam().content;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.vts"));
    if (!content.isEmpty()) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    try {
        readVts(path);
        FAIL() << "read without error";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), errors::FileError);
        EXPECT_TRUE(error.description().contains(path)) << error.description().toStdString();
    }
}

TEST(VtsDocument, NewerVersionSaysSo)
{
    try {
        sheetFromVts(withReplaced(R"("version":1)", R"("version":2)"), QStringLiteral("new.vts"));
        FAIL() << "read without error";
    } catch (const Error& error) {
        EXPECT_TRUE(error.description().contains(QStringLiteral("较新的版本")))
            << error.description().toStdString();
    }
}

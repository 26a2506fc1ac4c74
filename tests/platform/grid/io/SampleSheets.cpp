#include "SampleSheets.h"

#include "platform/grid/SheetTestSupport.h"

#include <QImage>

using namespace platform::grid;

QImage samplePicture()
{
    QImage image(6, 4, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(40 * x, 60 * y, 200 - 30 * x, 255 - 20 * y));
    }
    return image;
}

Sheet richSheet()
{
    Sheet sheet;
    // Row 1: a title merged over A1:C1, bold 宋体 12, centred, thin red borders all round.
    sheet.setText(1, 1, QStringLiteral("档案目录 <2024> & \"附件\""));
    CellFormat title;
    title.fontName = QStringLiteral("宋体");
    title.fontSize = 12;
    title.fontBold = true;
    title.hAlign = HAlign::Center;
    title.vAlign = VAlign::Center;
    for (BorderSide side : { BorderSide::Top, BorderSide::Left, BorderSide::Bottom, BorderSide::Right })
        title.border(side) = Border { BorderStyle::Thin, qRgb(255, 0, 0) };
    sheet.applyFormat(CellRange { 1, 1, 1, 3 }, title);
    sheet.merge(CellRange { 1, 1, 1, 3 });

    // Row 2: numbers in built-in and custom formats, one needing the full 8-byte form.
    const struct {
        int col;
        double value;
        const char* format;
    } numbers[] = {
        { 1, 1234.5, "#,##0.00" },
        { 2, 0.25, "0%" },
        { 3, 12345678901.25, "0.00" },
        { 4, -3, "0" },
        { 5, 1.23, "General" },
        { 6, 45000, "yyyy-mm-dd" },
        { 7, 0.5, "0.000" },
        { 8, 45001, "yyyy\"年\"m\"月\"d\"日\"" },
    };
    for (const auto& n : numbers) {
        sheet.setNumber(2, n.col, n.value);
        sheet.applyFormat(
            CellRange::cell(2, n.col), formatWith(&CellFormat::numberFormat, QString::fromUtf8(n.format)));
    }

    // Row 3: a wrapped italic underlined blue text at the top, a logical value, an error value and
    // a formula.
    sheet.setText(3, 1, QStringLiteral("第一行\n第二行"));
    CellFormat wrapped;
    wrapped.wrapText = true;
    wrapped.vAlign = VAlign::Top;
    wrapped.fontItalic = true;
    wrapped.fontUnderline = true;
    wrapped.fontColor = qRgb(0, 0, 255);
    sheet.applyFormat(CellRange::cell(3, 1), wrapped);
    sheet.setValue(3, 2, true);
    sheet.setValue(3, 3, CellError { QStringLiteral("#DIV/0!") });
    sheet.setFormula(3, 4, QStringLiteral("A2*2"));

    // Row 4: a yellow fill with a font colour outside the standard palette, and an empty cell that
    // only carries a double bottom border.
    sheet.setText(4, 2, QStringLiteral("黄底"));
    CellFormat filled;
    filled.pattern = 1;
    filled.patternForeground = qRgb(255, 255, 0);
    filled.fontColor = qRgb(0x12, 0x34, 0x56);
    filled.fontStrikeOut = true;
    filled.shrinkToFit = true;
    filled.hAlign = HAlign::Right;
    sheet.applyFormat(CellRange::cell(4, 2), filled);
    CellFormat underlined;
    underlined.border(BorderSide::Bottom) = Border { BorderStyle::Double, qRgb(0, 128, 0) };
    sheet.applyFormat(CellRange::cell(4, 3), underlined);

    // Rows 5-6: a two-by-two block and a picture beside it.
    sheet.setText(5, 1, QStringLiteral("合并"));
    sheet.merge(CellRange { 5, 1, 6, 2 });
    sheet.addPicture(samplePicture(), CellRange { 5, 4, 6, 5 }, QStringLiteral("/photos/卷宗.png"));

    sheet.setColWidth(1, 2000);
    sheet.setColWidth(2, 1500);
    sheet.setColWidth(5, 0);
    sheet.setRowHeight(1, 600);
    sheet.setRowHeight(3, 555);

    PageSetup page;
    page.paperSize = 8;
    page.landscape = true;
    page.header = QStringLiteral("&C档案目录");
    page.footer = QStringLiteral("第&P页");
    page.leftMargin = 0.5;
    page.topMargin = 0.8;
    page.scalePercent = 85;
    page.centerHorizontally = true;
    page.printGridLines = true;
    sheet.setPageSetup(page);
    sheet.setPrintArea(QStringLiteral("$A$1:$F$6"));
    sheet.setPrintTitles(QStringLiteral("$1:$1"));
    sheet.setRowPageBreaks({ 1, 4 });
    return sheet;
}

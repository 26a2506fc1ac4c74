#include "DialogDatabase.h"

#include "dialogs/BorderPreview.h"
#include "dialogs/FontChooser.h"
#include "dialogs/frmCellFormat.h"
#include "platform/grid/Sheet.h"
#include "platform/ui/ScriptedUi.h"
#include "support/CaptionFit.h"

#include <functional>
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using dialogs::frmCellFormat;
using platform::grid::Border;
using platform::grid::BorderSide;
using platform::grid::BorderStyle;
using platform::grid::CellFormat;
using platform::grid::CellRange;
using platform::grid::Sheet;
using platform::ui::ScriptedUi;

namespace
{

// A statistics report's design grid over a database with the number-format table; the dialog runs
// through the scripted layer.
class CellFormatDialog : public dialogtest::DialogDatabaseTest
{
protected:
    void SetUp() override
    {
        DialogDatabaseTest::SetUp();
        store::reportState().ReportType = store::StatisticsReport;
    }

    // Shows the dialog on the grid's selection; the driver presses its buttons, `chooseFont` sets the
    // font chooser's controls, which closes with `fontChosen`, and the colour chooser answers with
    // `colourChosen`. True when it applied.
    bool show(std::function<void(frmCellFormat&)> driver, bool crossesRegion = false)
    {
        ScriptedUi script;
        script.onDialog(QStringLiteral("frmCellFormat"),
            [&](QDialog& window) { driver(static_cast<frmCellFormat&>(window)); });
        script.onDialog(QStringLiteral("FontChooser"), [this](QDialog& window) {
            chooseFont(static_cast<dialogs::FontChooser&>(window));
            fontChosen ? window.accept() : window.reject();
        });
        script.onDialog(QStringLiteral("QColorDialog"), [this](QDialog& window) {
            static_cast<QColorDialog&>(window).setCurrentColor(Qt::red);
            colourChosen ? window.accept() : window.reject();
        });
        const bool applied = dialogs::ShowCellFormatDialog(grid, crossesRegion);
        boxes += script.boxTexts();
        opened += script.openedUrls();
        return applied;
    }

    void format(const CellRange& range, const CellFormat& format) { grid.applyFormat(range, format); }

    Sheet grid;
    std::function<void(dialogs::FontChooser&)> chooseFont = [](dialogs::FontChooser&) {};
    bool fontChosen = true;
    bool colourChosen = false;
    QStringList boxes;
    QList<QUrl> opened;
};

CellFormat numberFormat(const QString& format)
{
    CellFormat cell;
    cell.numberFormat = format;
    return cell;
}

TEST_P(CellFormatDialog, ATableFormatSelectsItsClassAndTypeAndOkRewritesOnlyNumberAndAlignment)
{
    CellFormat look = numberFormat(QStringLiteral("0.00"));
    look.fontBold = true;
    look.border(BorderSide::Top) = Border { BorderStyle::Hair, 0x00FF00 };
    format(CellRange::cell(2, 3), look);
    grid.select(2, 3, 2, 3);
    const CellFormat before = grid.format(2, 3);
    const bool applied = show([](frmCellFormat& dialog) {
        EXPECT_EQ(dialog.lstClass->currentItem()->text(), QStringLiteral("数值"));
        EXPECT_EQ(dialog.lstNumber->currentItem()->text(), QStringLiteral("两位小数"));
        EXPECT_EQ(dialog.txtFormat->text(), QStringLiteral("0.00"));
        EXPECT_EQ(dialog.lblMessage->text(),
            QStringLiteral("选择单元格要显示的数字的分类，显示格式，及要显示的数字类型。"));
        EXPECT_FALSE(dialog.cmdBorder[dialogs::InnerBorders]->isEnabled());
        dialog.cmdOK_Click();
    });
    EXPECT_TRUE(applied);
    // The hair line the preview cannot show stays, since the borders were not touched.
    EXPECT_EQ(grid.format(2, 3), before);
}

TEST_P(CellFormatDialog, AFormatTheTableLacksIsShownAndKeptUntilTheUserChangesIt)
{
    for (const QString& custom : { QStringLiteral("0.000"), QStringLiteral("0'号'") }) {
        format(CellRange::cell(4, 2), numberFormat(custom));
        grid.select(4, 2, 4, 2);
        const bool applied = show([&](frmCellFormat& dialog) {
            EXPECT_EQ(dialog.txtFormat->text(), custom);
            EXPECT_EQ(dialog.lstClass->currentItem(), nullptr);
            dialog.tabFormat->setCurrentIndex(3);
            dialog.cmdBorder_Click(5);
            dialog.cmdOK_Click();
        });
        EXPECT_TRUE(applied);
        EXPECT_EQ(grid.numberFormat(4, 2), custom);
        EXPECT_EQ(grid.format(4, 2).border(BorderSide::Bottom)->style, BorderStyle::Thin);
        EXPECT_TRUE(boxes.isEmpty());
    }
    // Choosing a type writes it, as the table writes it.
    show([](frmCellFormat& dialog) {
        dialog.lstClass->setCurrentRow(0);
        EXPECT_EQ(dialog.lstClass->currentItem()->text(), QStringLiteral("文本"));
        dialog.cmdOK_Click();
    });
    EXPECT_EQ(grid.format(4, 2).numberFormat, QStringLiteral("\\@"));
}

TEST_P(CellFormatDialog, ARangeKeepsWhatItsCellsDoNotShareWhenOnlyTheFontChanges)
{
    CellFormat left;
    left.hAlign = platform::grid::HAlign::Left;
    left.wrapText = true;
    CellFormat right;
    right.hAlign = platform::grid::HAlign::Right;
    format({ 2, 2, 3, 2 }, left);
    format({ 2, 3, 3, 3 }, right);
    grid.merge({ 5, 2, 5, 3 });
    grid.select(2, 2, 5, 3);
    chooseFont = [](dialogs::FontChooser& chooser) {
        chooser.lstFamily->setCurrentItem(chooser.lstFamily->findItems(QStringLiteral("黑体"), {}).value(0));
        chooser.lstStyle->setCurrentRow(1);
        chooser.cboSize->setEditText(QStringLiteral("五号"));
    };
    QString chosenName;
    double chosenSize = 0;
    const bool applied = show([&](frmCellFormat& dialog) {
        EXPECT_EQ(dialog.cboHAlign->currentText(), QString());
        EXPECT_EQ(dialog.chkWrap->checkState(), Qt::PartiallyChecked);
        EXPECT_EQ(dialog.chkMerge->checkState(), Qt::PartiallyChecked);
        dialog.cmdSetFont_Click();
        chosenName = dialog.txtFontName->text();
        chosenSize = dialog.txtFontSize->text().toDouble();
        EXPECT_EQ(dialog.txtFontStyle->text(), QStringLiteral("斜体"));
        dialog.cmdOK_Click();
    });
    EXPECT_TRUE(applied);
    EXPECT_EQ(chosenName, QStringLiteral("黑体"));
    EXPECT_EQ(chosenSize, 10.5);
    EXPECT_EQ(grid.format(2, 2).hAlign, platform::grid::HAlign::Left);
    EXPECT_EQ(grid.format(3, 3).hAlign, platform::grid::HAlign::Right);
    EXPECT_EQ(grid.format(3, 2).wrapText, true);
    EXPECT_EQ(grid.format(2, 3).wrapText, false);
    EXPECT_EQ(grid.mergedBlocks(), (QList<CellRange> { CellRange { 5, 2, 5, 3 } }));
    for (const auto& [row, col] : { std::pair { 2, 2 }, std::pair { 3, 3 }, std::pair { 5, 2 } }) {
        EXPECT_EQ(grid.format(row, col).fontName, chosenName);
        EXPECT_EQ(grid.format(row, col).fontSize, dialogs::WholeFontSize(chosenSize));
        EXPECT_EQ(grid.format(row, col).fontItalic, true);
    }
}

TEST_P(CellFormatDialog, ACancelledFontChooserChangesNoFont)
{
    CellFormat bold;
    bold.fontBold = true;
    format({ 2, 2, 2, 3 }, bold);
    grid.select(2, 2, 3, 3);
    fontChosen = false;
    show([](frmCellFormat& dialog) {
        dialog.cmdSetFont_Click();
        EXPECT_FALSE(dialog.formState().fontChanged);
        dialog.cmdOK_Click();
    });
    EXPECT_EQ(grid.format(2, 3).fontBold, true);
    EXPECT_EQ(grid.format(3, 3).fontBold, false);
}

// The chooser opens on the cell's family as the report stores it, with its style; the sample draws it
// with the face that stands in for it here; what OK writes is the report's name.
TEST_P(CellFormatDialog, TheFontChooserShowsAndWritesTheFamilyNamesReportsStore)
{
    const struct {
        const char* family;
        bool bold;
        const char* pickFamily; // nullptr: left as it opened
        const char* pickSize;
        int pickColour; // entry of the colour list, -1: left as it opened
        const char* shownFace;
        const char* written;
        double writtenSize;
        QRgb writtenColour;
    } cases[] = {
        { "宋体", true, nullptr, "小二", -1, "AR PL UMing CN", "宋体", 18, 0x000080 },
        { "方正小标宋简体", false, nullptr, "12", 9, "AR PL UMing CN", "方正小标宋简体", 12, 0xFF0000 },
        { "宋体", false, "楷体_GB2312", "16", -1, "AR PL UMing CN", "楷体_GB2312", 16, 0x000080 },
        { "Arial", true, "Times New Roman", "9", 0, "Liberation Sans", "Times New Roman", 9, 0 },
    };
    for (const auto& c : cases) {
        CellFormat look;
        look.fontName = QString::fromUtf8(c.family);
        look.fontBold = c.bold;
        look.fontSize = 14;
        look.fontColor = 0x000080;
        format(CellRange::cell(2, 2), look);
        grid.select(2, 2, 2, 2);
        chooseFont = [&](dialogs::FontChooser& chooser) {
            EXPECT_EQ(chooser.lstFamily->currentItem()->text(), QString::fromUtf8(c.family));
            EXPECT_EQ(chooser.lstStyle->currentItem()->text(), QString::fromUtf8(c.bold ? "粗体" : "规则"));
            EXPECT_EQ(chooser.cboSize->currentText(), QStringLiteral("14"));
            EXPECT_EQ(QFontInfo(chooser.lblSample->font()).family(), QString::fromUtf8(c.shownFace));
            EXPECT_EQ(QFontInfo(chooser.lblSample->font()).bold(), c.bold);
            EXPECT_EQ(testsupport::cutCaptions(chooser), QStringList());
            if (c.pickFamily)
                chooser.lstFamily->setCurrentItem(
                    chooser.lstFamily->findItems(QString::fromUtf8(c.pickFamily), Qt::MatchExactly).value(0));
            chooser.cboSize->setEditText(QString::fromUtf8(c.pickSize));
            if (c.pickColour >= 0)
                chooser.cboColor->setCurrentIndex(c.pickColour);
        };
        show([](frmCellFormat& dialog) {
            dialog.cmdSetFont_Click();
            dialog.cmdOK_Click();
        });
        const CellFormat written = grid.format(2, 2);
        EXPECT_EQ(written.fontName, QString::fromUtf8(c.written)) << c.family;
        EXPECT_EQ(written.fontSize, c.writtenSize) << c.family;
        EXPECT_EQ(written.fontBold, c.bold) << c.family;
        EXPECT_EQ(written.fontColor, c.writtenColour) << c.family;
    }
}

TEST_P(CellFormatDialog, OneMergedBlockOffersNoInnerLinesAndStaysMerged)
{
    grid.merge({ 2, 2, 4, 3 });
    grid.select(2, 2, 2, 2);
    const bool applied = show([](frmCellFormat& dialog) {
        EXPECT_EQ(dialog.chkMerge->checkState(), Qt::Checked);
        for (int side : { dialogs::InnerVerticalSide, dialogs::InnerHorizontalSide }) {
            EXPECT_FALSE(dialog.cmdBorder[side]->isEnabled());
            EXPECT_FALSE(dialog.picPreview->lblBorder[side]->isEnabled());
        }
        EXPECT_FALSE(dialog.cmdBorder[dialogs::InnerBorders]->isEnabled());
        // The double line drawn round the block; the top taken away by a right click.
        dialog.lblLineStyle_Click(4);
        dialog.cmdBorder_Click(dialogs::OuterBorders);
        dialog.lblBorder_MouseDown(3, Qt::RightButton);
        dialog.cmdOK_Click();
    });
    EXPECT_TRUE(applied);
    EXPECT_EQ(grid.mergedBlocks(), (QList<CellRange> { CellRange { 2, 2, 4, 3 } }));
    EXPECT_EQ(grid.format(4, 2).border(BorderSide::Bottom)->style, BorderStyle::Double);
    EXPECT_EQ(grid.format(3, 2).border(BorderSide::Left)->style, BorderStyle::Double);
    EXPECT_EQ(grid.format(2, 3).border(BorderSide::Right)->style, BorderStyle::Double);
    EXPECT_EQ(grid.format(2, 2).border(BorderSide::Top)->style, BorderStyle::None);
}

TEST_P(CellFormatDialog, SelectionsOfOneRowOrColumnOfferTheirInnerLinesOnly)
{
    const struct {
        CellRange selection;
        bool innerVertical;
        bool innerHorizontal;
    } cases[] = { { { 2, 2, 2, 5 }, true, false }, { { 2, 2, 6, 2 }, false, true },
        { { 2, 2, 6, 5 }, true, true } };
    for (const auto& c : cases) {
        grid.select(c.selection);
        show([&](frmCellFormat& dialog) {
            EXPECT_EQ(dialog.cmdBorder[dialogs::InnerVerticalSide]->isEnabled(), c.innerVertical);
            EXPECT_EQ(dialog.cmdBorder[dialogs::InnerHorizontalSide]->isEnabled(), c.innerHorizontal);
            EXPECT_TRUE(dialog.cmdBorder[dialogs::InnerBorders]->isEnabled());
            dialog.cmdCancel_Click();
        });
    }
    // A selection crossing regions may not be merged.
    show(
        [](frmCellFormat& dialog) {
            EXPECT_FALSE(dialog.chkMerge->isEnabled());
            dialog.cmdHelp_Click();
            dialog.cmdCancel_Click();
        },
        true);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].toLocalFile().endsWith(QStringLiteral("help/设置单元格格式.htm")));
}

TEST_P(CellFormatDialog, TheLineColourChangesOnlyWhenAColourIsChosen)
{
    grid.select(3, 3, 3, 3);
    EXPECT_FALSE(show([](frmCellFormat& dialog) {
        dialog.Command1_Click();
        EXPECT_FALSE(dialog.formState().bordersChanged);
        dialog.cmdCancel_Click();
    }));
    show([&](frmCellFormat& dialog) {
        dialog.Command1_Click();
        dialog.cmdBorder_Click(3);
        colourChosen = true;
        dialog.Command1_Click();
        dialog.cmdBorder_Click(5);
        dialog.cmdOK_Click();
    });
    EXPECT_EQ(grid.format(3, 3).border(BorderSide::Top), (Border { BorderStyle::Thin, 0 }));
    EXPECT_EQ(grid.format(3, 3).border(BorderSide::Bottom), (Border { BorderStyle::Thin, 0xFF0000 }));
}

TEST_P(CellFormatDialog, WrapAndShrinkExcludeEachOtherAndTheRegionColumnIsNeverFormatted)
{
    store::reportState().ReportType = store::DataReport;
    grid.select(2, 1, 2, 3);
    show([](frmCellFormat& dialog) {
        dialog.chkWrap->click();
        EXPECT_EQ(dialog.chkShrink->checkState(), Qt::Unchecked);
        dialog.chkShrink->click();
        EXPECT_EQ(dialog.chkWrap->checkState(), Qt::Unchecked);
        dialog.chkWrap->click();
        dialog.cmdOK_Click();
    });
    EXPECT_EQ(grid.selection(), (CellRange { 2, 2, 2, 3 }));
    EXPECT_EQ(grid.format(2, 1).wrapText, false);
    EXPECT_EQ(grid.format(2, 2).wrapText, true);
    EXPECT_EQ(grid.format(2, 3).wrapText, true);
}

// The sides of rows 5 and 6, columns 2 and 3 that carry a border: "row,col side" with T, L, B or R.
QString drawnSides(const Sheet& grid)
{
    QStringList drawn;
    const std::pair<BorderSide, char> sides[] = { { BorderSide::Top, 'T' }, { BorderSide::Left, 'L' },
        { BorderSide::Bottom, 'B' }, { BorderSide::Right, 'R' } };
    for (int row = 5; row <= 6; ++row)
        for (int col = 2; col <= 3; ++col)
            for (const auto& [side, letter] : sides) {
                const auto border = grid.format(row, col).border(side);
                if (border && border->style != BorderStyle::None)
                    drawn.append(QStringLiteral("%1,%2 %3").arg(row).arg(col).arg(QChar::fromLatin1(letter)));
            }
    return drawn.join(QStringLiteral(", "));
}

QStringList items(const QComboBox* box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts.append(box->itemText(i));
    return texts;
}

// Every entry of the alignment lists, the line-style picker and the side buttons stores the grid's code
// as documented (the codes written out here, not taken from the dialog's tables).
TEST_P(CellFormatDialog, EveryListEntryStoresItsDocumentedCode)
{
    const struct {
        bool horizontal;
        QStringList texts; // in list order; entry i stores codes[i]
        QList<int> codes;
    } lists[] = { { true, { "常规", "靠左", "居中", "靠右", "填充", "分散对齐", "跨列居中" },
                      { 1, 2, 3, 4, 5, 6, 7 } },
        { false, { "靠上", "居中", "靠下" }, { 1, 2, 3 } } };
    grid.select(3, 3, 3, 3);
    for (const auto& list : lists) {
        for (int i = 0; i < list.texts.size(); ++i) {
            show([&](frmCellFormat& dialog) {
                QComboBox* box = list.horizontal ? dialog.cboHAlign : dialog.cboVAlign;
                EXPECT_EQ(items(box), list.texts);
                box->setCurrentIndex(i);
                dialog.cmdOK_Click();
            });
            const CellFormat stored = grid.format(3, 3);
            EXPECT_EQ(list.horizontal ? int(*stored.hAlign) : int(*stored.vAlign), list.codes[i])
                << list.texts[i].toStdString();
        }
    }

    // Line-style picker entry -> grid border style, drawn on the top side.
    const int styles[] = { 1, 2, 3, 4, 6, 11, 5 };
    for (int entry = 0; entry < dialogs::LineStyleCount; ++entry) {
        show([&](frmCellFormat& dialog) {
            dialog.tabFormat->setCurrentIndex(3);
            dialog.lblLineStyle[entry]->click();
            dialog.cmdBorder[3]->click();
            dialog.cmdOK_Click();
        });
        EXPECT_EQ(int(grid.format(3, 3).border(BorderSide::Top)->style), styles[entry]) << "entry " << entry;
    }

    // Each side button's caption, the grid's index of its side, and the borders it draws on two rows and
    // two columns.
    const struct {
        const char* caption;
        int gridIndex;
        const char* drawn;
    } sides[] = { { "左边框", 1, "5,2 L, 6,2 L" }, { "中间线", -1, "5,2 R, 5,3 L, 6,2 R, 6,3 L" },
        { "右边框", 3, "5,3 R, 6,3 R" }, { "上边框", 0, "5,2 T, 5,3 T" },
        { "中心线", -2, "5,2 B, 5,3 B, 6,2 T, 6,3 T" }, { "下边框", 2, "6,2 B, 6,3 B" } };
    for (int side = 0; side < dialogs::SideCount; ++side) {
        grid = Sheet();
        grid.select(5, 2, 6, 3);
        show([&](frmCellFormat& dialog) {
            EXPECT_EQ(dialog.cmdBorder[side]->text().toStdString(), sides[side].caption);
            dialog.cmdBorder[side]->click();
            dialog.cmdOK_Click();
        });
        EXPECT_EQ(int(dialogs::SideButtons()[side].gridSide), sides[side].gridIndex) << sides[side].caption;
        EXPECT_EQ(drawnSides(grid).toStdString(), sides[side].drawn) << sides[side].caption;
    }
}

// The font style's name, the format string's 20-character limit and the shrink box opposite the wrap box
// when the dialog opens.
TEST_P(CellFormatDialog, FontStyleNamesFormatLimitAndInitialShrink)
{
    const struct {
        bool bold, italic, wrap;
        const char* style;
        Qt::CheckState shrink;
    } cells[] = { { false, false, false, "规则", Qt::Checked }, { true, false, true, "粗体", Qt::Unchecked },
        { false, true, false, "斜体", Qt::Checked }, { true, true, true, "粗斜体", Qt::Unchecked } };
    for (const auto& c : cells) {
        CellFormat look;
        look.fontBold = c.bold;
        look.fontItalic = c.italic;
        look.wrapText = c.wrap;
        format(CellRange::cell(2, 2), look);
        grid.select(2, 2, 2, 2);
        show([&](frmCellFormat& dialog) {
            EXPECT_EQ(dialog.txtFontStyle->text().toStdString(), c.style);
            EXPECT_EQ(dialog.chkShrink->checkState(), c.shrink) << c.style;
            EXPECT_EQ(dialog.chkWrap->checkState(), c.wrap ? Qt::Checked : Qt::Unchecked) << c.style;
            dialog.cmdCancel_Click();
        });
    }
    show([](frmCellFormat& dialog) {
        dialog.txtFormat->clear();
        QTest::keyClicks(dialog.txtFormat, QStringLiteral("0000000000.0000000000000"));
        dialog.cmdOK_Click();
    });
    EXPECT_EQ(grid.numberFormat(2, 2), QStringLiteral("0000000000.000000000"));
}

DIALOG_DATABASE_SUITE(CellFormatDialog);

} // namespace

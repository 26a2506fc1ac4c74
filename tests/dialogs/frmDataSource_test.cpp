#include "DialogDatabase.h"

#include "dialogs/frmDataSource.h"
#include "dialogs/frmSysArg.h"
#include "platform/db/Connection.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/ErrorLogObject.h"
#include "platform/outside/SharedObjects.h"
#include "platform/ui/ScriptedUi.h"

#include <functional>
#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

using dialogs::frmDataSource;
using dialogs::SourceKind;
using platform::grid::Sheet;
using platform::ui::ScriptedUi;

namespace
{

// A data report over the tables docs (文件) and vols (案卷), whose visible columns the tree lists; the
// dialog works on the active cell of a design grid and runs through the scripted layer.
class DataSourceDialog : public dialogtest::DialogDatabaseTest
{
protected:
    void SetUp() override
    {
        DialogDatabaseTest::SetUp();
        store::reportState().ReportType = store::DataReport;
        const char* columns[][4]
            = { { "docs", "文件", "title", "题名" }, { "docs", "文件", "page_no", "页数" },
                  { "docs", "文件", "recid", "" }, { "vols", "案卷", "vol_no", "案卷号" } };
        for (const auto& column : columns) {
            database->connection()->execute(
                QStringLiteral(
                    "insert into table_struct_description (table_name, table_chn_name, column_name, "
                    "column_chn_name, column_visible) values ('%1', '%2', '%3', '%4', '%5')")
                    .arg(QString::fromUtf8(column[0]), QString::fromUtf8(column[1]),
                        QString::fromUtf8(column[2]), QString::fromUtf8(column[3]),
                        QString::fromLatin1(column[3][0] ? "T" : "F")));
        }
        grid.select(3, 4, 3, 4);
    }
    // The dialog's result after the driver worked on it; sysArg drives the system-parameter picker.
    QString show(
        std::function<void(frmDataSource&)> driver, dialogs::ReportTables tables = { "docs", "vols", "" })
    {
        ScriptedUi script;
        script.onDialog(QStringLiteral("frmDataSource"),
            [&](QDialog& window) { driver(static_cast<frmDataSource&>(window)); });
        script.onDialog(QStringLiteral("frmSysArg"), [](QDialog& window) {
            auto& picker = static_cast<dialogs::frmSysArg&>(window);
            picker.tlbSysArg[1]->actions().at(1)->trigger();
            picker.cmdOk_Click();
        });
        const QString result = dialogs::ShowDataSourceDialog(grid, tables);
        boxes = script.boxes();
        opened = script.openedUrls();
        return result;
    }

    static QStringList nodeCaptions(QTreeWidgetItem* item)
    {
        QStringList captions;
        for (int i = 0; i < item->childCount(); ++i)
            captions.append(item->child(i)->text(0));
        return captions;
    }

    Sheet grid;
    std::vector<platform::ui::RecordedBox> boxes;
    QList<QUrl> opened;
};

TEST_P(DataSourceDialog, TheTreeListsTheKindsAndTheVisibleColumnsAndAColumnBecomesTheField)
{
    const QString result = show([](frmDataSource& dialog) {
        QTreeWidgetItem* root = dialog.tvwDataSource->topLevelItem(0);
        EXPECT_EQ(root->text(0), QStringLiteral("数据源"));
        EXPECT_EQ(nodeCaptions(root),
            (QStringList {
                "文本", "字段", "系统参数", "图片", "特殊公式", "SQL语句", "内置公式", "列求和公式" }));
        QTreeWidgetItem* fields = root->child(1);
        ASSERT_EQ(nodeCaptions(fields), (QStringList { "文件", "案卷" }));
        EXPECT_EQ(nodeCaptions(fields->child(0)), (QStringList { "题名", "页数" }));
        dialog.tvwDataSource->setCurrentItem(fields);
        EXPECT_FALSE(dialog.cmdOk->isEnabled());
        dialog.tvwDataSource->setCurrentItem(fields->child(0)->child(1));
        EXPECT_TRUE(dialog.fraDataSource[int(SourceKind::Fields)]->isVisibleTo(&dialog));
        EXPECT_EQ(dialog.txtField->text(), QStringLiteral("文件.页数"));
        EXPECT_EQ(dialog.SourceText, QStringLiteral("@B|页数(文件)"));
        dialog.cmdOk_Click();
    });
    EXPECT_EQ(result, QStringLiteral("@B|页数(文件)"));
}

TEST_P(DataSourceDialog, AnUntouchedDialogOrTheCellsOwnTextChangesNothing)
{
    EXPECT_EQ(show([](frmDataSource& dialog) { dialog.cmdOk_Click(); }), QString());

    grid.setText(3, 4, QStringLiteral("@B|题名(文件)&2-3&B&"));
    EXPECT_EQ(show([](frmDataSource& dialog) {
        EXPECT_EQ(dialog.sourceKind(), SourceKind::Fields);
        EXPECT_EQ(dialog.txtField->text(), QStringLiteral("题名(文件)"));
        EXPECT_EQ(dialog.tvwDataSource->currentItem()->text(0), QStringLiteral("题名"));
        EXPECT_TRUE(dialog.ChkSX->isChecked());
        EXPECT_EQ(dialog.TxtChar->text(), QStringLiteral("2"));
        EXPECT_EQ(dialog.TxtChar1->text(), QStringLiteral("3"));
        dialog.chkAutoSelect->click(); // on another panel: the field stays as it was
        dialog.cmdOk_Click();
    }),
        QString());

    grid.setText(3, 4, QString());
    EXPECT_EQ(show([](frmDataSource& dialog) {
        dialog.txtText->setPlainText(QStringLiteral(" 标题 "));
        dialog.cmdOk_Click();
    }),
        QStringLiteral("@A| 标题 "));
}

TEST_P(DataSourceDialog, AnInsertOptionComesBackInInsertModeAndIsWrittenAsRead)
{
    grid.setText(3, 4, QStringLiteral("@B|页数(文件)&第-&FI&"));
    EXPECT_EQ(show([](frmDataSource& dialog) {
        EXPECT_TRUE(dialog.chkInsert->isChecked());
        EXPECT_EQ(dialog.ChkSX->text(), QStringLiteral("插入字符："));
        EXPECT_TRUE(dialog.optFrt->isChecked());
        EXPECT_EQ(dialog.optFrt->text(), QStringLiteral("向前插"));
        EXPECT_FALSE(dialog.TxtChar1->isVisibleTo(&dialog));
        EXPECT_EQ(dialog.TxtChar->text(), QStringLiteral("第-"));
        dialog.OptBck->click();
        dialog.cmdOk_Click();
    }),
        QStringLiteral("@B|页数(文件)&第-&BI&"));
}

TEST_P(DataSourceDialog, RefusalsKeepTheDialogOpenWithTheirMessages)
{
    const QString result = show([](frmDataSource& dialog) {
        dialog.tvwDataSource->setCurrentItem(dialog.tvwDataSource->topLevelItem(0)->child(5));
        EXPECT_EQ(dialog.sourceKind(), SourceKind::Sql);
        dialog.txtSQL->setPlainText(QStringLiteral("select sum from docs"));
        dialog.chkSelR->click();
        dialog.cmdOk_Click();
        EXPECT_TRUE(dialog.isVisible());
        dialog.chkSelR->click();
        dialog.cmdOk_Click();
    });
    EXPECT_EQ(result, QStringLiteral("@J|select sum from docs"));
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].text, QStringLiteral("SQL语句输入错误，请重新输入"));
    EXPECT_EQ(boxes[0].title, QStringLiteral("提示信息"));

    const QString column = show([](frmDataSource& dialog) {
        dialog.tvwDataSource->setCurrentItem(dialog.tvwDataSource->topLevelItem(0)->child(7));
        QLineEdit* box = dialog.CboSelCol->lineEdit();
        for (const QChar key : { u'a', u'1', u'b', u'c' }) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(key));
            QCoreApplication::sendEvent(box, &press);
        }
        EXPECT_EQ(dialog.CboSelCol->currentText(), QStringLiteral("AB"));
        dialog.cmdOk_Click();
    });
    EXPECT_EQ(column, QStringLiteral("@R|AB&"));
}

// The number boxes refuse characters that are not digits; keys that type none act as in any box.
TEST_P(DataSourceDialog, TheNumberBoxesLetTheEditingAndDialogKeysThrough)
{
    for (const Qt::Key closingKey : { Qt::Key_Return, Qt::Key_Escape }) {
        grid.setText(3, 4, QStringLiteral("@B|题名(文件)&1-4&B&"));
        EXPECT_EQ(show([&](frmDataSource& dialog) {
            dialog.TxtChar->setFocus();
            for (const Qt::Key key : { Qt::Key_2, Qt::Key_X, Qt::Key_Left, Qt::Key_Backspace, Qt::Key_Delete,
                     Qt::Key_2, Qt::Key_Tab })
                QTest::keyClick(dialog.TxtChar, key);
            EXPECT_NE(dialog.focusWidget(), dialog.TxtChar);
            for (const Qt::Key key : { Qt::Key_Backspace, Qt::Key_3, Qt::Key_Backtab })
                QTest::keyClick(dialog.TxtChar1, key);
            EXPECT_NE(dialog.focusWidget(), dialog.TxtChar1);
            QTest::keyClick(dialog.TxtChar1, closingKey);
            EXPECT_FALSE(dialog.isVisible()) << closingKey;
        }),
            closingKey == Qt::Key_Return ? QStringLiteral("@B|题名(文件)&2-3&B&") : QString());
    }
}

// A paste keeps what typing would: digits in the take option's boxes, two letters in the column box.
TEST_P(DataSourceDialog, PastedTextKeepsOnlyWhatTheBoxesTake)
{
    grid.setText(3, 4, QStringLiteral("@B|题名(文件)&1-4&B&"));
    EXPECT_EQ(show([](frmDataSource& dialog) {
        QGuiApplication::clipboard()->setText(QStringLiteral("2@a&\t3页"));
        for (QLineEdit* box : { dialog.TxtChar, dialog.TxtChar1 }) {
            box->selectAll();
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        }
        dialog.cmdOk_Click();
    }),
        QStringLiteral("@B|题名(文件)&23-23&B&"));
    EXPECT_EQ(show([](frmDataSource& dialog) {
        dialog.tvwDataSource->setCurrentItem(dialog.tvwDataSource->topLevelItem(0)->child(7));
        QGuiApplication::clipboard()->setText(QStringLiteral("x9y z"));
        QTest::keyClick(dialog.CboSelCol->lineEdit(), Qt::Key_V, Qt::ControlModifier);
        dialog.cmdOk_Click();
    }),
        QStringLiteral("@R|XY&"));
}

TEST_P(DataSourceDialog, TheSystemParameterPickerInsertsAtTheCursorKeepingTypedWords)
{
    EXPECT_EQ(show([](frmDataSource& dialog) {
        dialog.tvwDataSource->setCurrentItem(dialog.tvwDataSource->topLevelItem(0)->child(2));
        dialog.cmdSysArg_Click();
        EXPECT_EQ(dialog.txtSysArgument->text(), QStringLiteral("第%p页 共%P页"));
        dialog.txtSysArgument->setText(QStringLiteral("页码：（）"));
        dialog.txtSysArgument->setCursorPosition(4);
        dialog.cmdSysArg_Click();
        dialog.cmdOk_Click();
    }),
        QStringLiteral("@C|页码：（第%p页 共%P页）"));
}

TEST_P(DataSourceDialog, AStatisticsReportOffersNoFieldsAndTheRegionColumnIsSkippedInADataReport)
{
    store::reportState().ReportType = store::StatisticsReport;
    show([](frmDataSource& dialog) {
        EXPECT_EQ(nodeCaptions(dialog.tvwDataSource->topLevelItem(0)),
            (QStringList { "文本", "系统参数", "图片", "内置公式", "SQL语句", "SQL公式", "特殊公式" }));
        dialog.cmdHelp_Click();
        dialog.cmdCancel_Click();
    });

    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(opened[0].toLocalFile().endsWith(QStringLiteral("help/数据源设置.htm")));

    store::reportState().ReportType = store::DataReport;
    grid.setText(5, 2, QStringLiteral("@C|%d"));
    grid.select(5, 1, 5, 1);
    EXPECT_EQ(show([](frmDataSource& dialog) {
        EXPECT_EQ(dialog.txtSysArgument->text(), QStringLiteral("%d"));
        dialog.txtSysArgument->setText(QStringLiteral("%D"));
        dialog.cmdOk_Click();
    }),
        QStringLiteral("@C|%D"));
    EXPECT_EQ(grid.activeCol(), 2);
}

// A field's option group read back: a take option is split at its first "-"; the option box turns its
// four controls on and off together. Formula cells bring their descriptions back with them.
TEST_P(DataSourceDialog, OptionsAndDescriptionsAreReadBack)
{
    grid.setText(3, 4, QStringLiteral("@B|题名(文件)&1-2-3&B&"));
    show([](frmDataSource& dialog) {
        EXPECT_TRUE(dialog.ChkSX->isChecked());
        EXPECT_EQ(dialog.TxtChar->text(), QStringLiteral("1"));
        EXPECT_EQ(dialog.TxtChar1->text(), QStringLiteral("2-3"));
        dialog.cmdCancel_Click();
    });

    grid.setText(3, 4, QStringLiteral("@B|题名(文件)"));
    show([](frmDataSource& dialog) {
        const QWidget* controls[] = { dialog.TxtChar, dialog.optFrt, dialog.OptBck, dialog.TxtChar1 };
        for (const bool on : { false, true, false }) {
            if (on != dialog.ChkSX->isChecked())
                dialog.ChkSX->click();
            for (const QWidget* control : controls)
                EXPECT_EQ(control->isEnabled(), on) << control->objectName().toStdString();
        }
        dialog.cmdCancel_Click();
    });

    grid.setText(3, 4, QStringLiteral("@E|#page_no# * 2"));
    show([](frmDataSource& dialog) {
        EXPECT_EQ(dialog.txtSpecFormula->text(), QStringLiteral("#page_no# * 2"));
        EXPECT_EQ(dialog.lblDescription->text(), QStringLiteral("#page_no# * 2"));
        dialog.cmdCancel_Click();
    });
    store::reportState().ReportType = store::StatisticsReport;
    grid.setText(3, 4, QStringLiteral("@H|文书档案件数"));
    show([](frmDataSource& dialog) {
        EXPECT_EQ(dialog.txtSQLFormula->text(), QStringLiteral("文书档案件数"));
        EXPECT_EQ(dialog.txtSqlFormulaDesc->text(), QStringLiteral("文书档案件数"));
        dialog.cmdCancel_Click();
    });
}

DIALOG_DATABASE_SUITE(DataSourceDialog);

} // namespace

// A visible description row without a column name names no field: the tree leaves it out and it is
// logged.
TEST_P(DataSourceDialog, AColumnRowWithoutAColumnNameIsLeftOutAndLogged)
{
    database->connection()->execute(
        QStringLiteral("insert into table_struct_description (table_name, table_chn_name, column_name, "
                       "column_chn_name, column_visible) values ('docs', '文件', NULL, '无名', 'T')"));
    platform::outside::sharedErrorLog()->setConnection(database->connection());
    show([](frmDataSource& dialog) {
        QTreeWidgetItem* fields = dialog.tvwDataSource->topLevelItem(0)->child(1);
        EXPECT_EQ(nodeCaptions(fields->child(0)), (QStringList { "题名", "页数" }));
        dialog.cmdCancel_Click();
    });
    platform::outside::releaseShared();
    EXPECT_EQ(database->rows(QStringLiteral("select procedure_name, description from orv_error_log")),
        (QList<QStringList> {
            { "LoadVisibleFields", "表 docs 的字段说明“无名”没有字段名（column_name），已略过。" } }));
}

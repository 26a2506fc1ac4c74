#include "output/Frmprocess.h"
#include "output/WordPlaceholders.h"
#include "output/WordReport.h"
#include "OutputWindowFixture.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/Error.h"
#include "platform/outside/ProgramStarter.h"
#include "platform/outside/WordDocument.h"
#include "platform/ui/ComponentFolder.h"
#include "support/SavedEnvironment.h"
#include "support/TestFiles.h"

#include <fcntl.h>
#include <filesystem>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>
#include <thread>
#include <unistd.h>

using namespace outputtest;
using output::PlaceholderContext;

namespace
{

struct NoProgress : output::WordReportProgress {
    void showStatus(const QString&) override { }
    void setMaximum(int) override { }
    void setValue(int) override { }
};

TEST(WordPlaceholderTexts, FormatsCutsAndRowParts)
{
    struct FormatCase {
        const char* value;
        const char* format;
        const char* expected;
    };
    const FormatCase formats[] = {
        { "202305", "yyyy-mm-dd", "2023-05-01" }, // year and month: the month's first day
        { "20230517", "yyyy.mm.dd", "2023.05.17" },
        { "2023-05-17 00:00:00", "yyyy年m月d日", "2023年5月17日" },
        { "1850-06-15 10:30:00", "yyyy年m月d日 hh:mm", "1850年6月15日 10:30" }, // before the serial numbers
        { "1850-06-15", "yyyy.mm.dd", "1850.06.15" }, { "-0001-01-01", "yyyy.mm.dd", "-0001.01.01" },
        { "4713-01-01 BC", "yyyy.mm.dd", "4713.01.01 BC" }, { "10000-01-01", "yyyy-mm-dd", "10000-01-01" },
        { "infinity", "yyyy-mm-dd", "infinity" }, { "110101900307123", "@", "110101900307123" },
        { "0.00001", "General", "0.00001" }, // as written
        { "12.5", "0.00", "12.50" }, // a number format with a point is no date format
        { "-3", "0.0", "-3.0" }, { "1234.5", "#,##0.00", "1,234.50" },
        { "abc", "yyyy-mm-dd", "" }, // a date format for what is no date
    };
    for (const auto& c : formats)
        EXPECT_EQ(output::FormatFieldValue(QString::fromUtf8(c.value), QString::fromUtf8(c.format)),
            QString::fromUtf8(c.expected))
            << c.value << " " << c.format;

    struct CutCase {
        const char* value;
        int m;
        int n;
        char side;
        const char* expected;
    };
    const CutCase cuts[] = {
        { "abcdefg", 2, 3, 'B', "bcd" },
        { "abcdefg", 2, 3, 'F', "def" },
        { "abc", 1, 5, 'F', "abc" },
        { "abc", 5, 2, 'B', "" },
        // One character, at either end and inside.
        { "abcdefg", 1, 1, 'B', "a" },
        { "abcdefg", 3, 1, 'B', "c" },
        { "abcdefg", 7, 1, 'B', "g" },
        { "abcdefg", 1, 1, 'F', "g" },
        { "abcdefg", 3, 1, 'F', "e" },
        { "abcdefg", 7, 1, 'F', "a" },
    };
    for (const auto& c : cuts)
        EXPECT_EQ(output::CutValue(QString::fromUtf8(c.value), c.m, c.n, QLatin1Char(c.side)),
            QString::fromUtf8(c.expected))
            << c.value << " " << c.m << "-" << c.n << " " << c.side;

    const auto carried = output::SplitPlaceholder(QStringLiteral("title"), QStringLiteral("2"));
    EXPECT_EQ(carried.rowPart, QStringLiteral("2"));
    const auto full = output::SplitPlaceholder(QStringLiteral("a@//0.0|G|yyyy|extra"), QStringLiteral("1"));
    EXPECT_EQ(full.expression, QStringLiteral("a@//0.0"));
    EXPECT_EQ(full.rowPart, QStringLiteral("G"));
    EXPECT_EQ(full.formatPart, QStringLiteral("yyyy"));
}

// Five documents of known content: four of 2003 kept for ever, one of 2003 kept long.
class WordReportTest : public OutputWindowTest
{
protected:
    WordReportTest()
        : OutputWindowTest(10)
    {
        if (IsSkipped()) // no server for this backend: its database holds no tables
            return;
        auto& connection = *database.connection();
        connection.execute(QStringLiteral("delete from wsda"));
        const char* const retention[] = { "永久", "永久", "永久", "永久", "长期" };
        for (int piece = 1; piece <= 5; ++piece) {
            connection.execute(QStringLiteral("insert into wsda (recid, archive_no, piece_no, filing_year, "
                                              "retention, title) values (?, ?, ?, 2003, ?, ?)"),
                { QString::number(piece), QStringLiteral("A-000%1").arg(piece), piece,
                    QString::fromUtf8(retention[piece - 1]), QStringLiteral("第%1号文件").arg(piece) });
        }
        platform::ui::setComponentFolder(folder.path());
    }
    ~WordReportTest() override { platform::ui::setComponentFolder({}); }

    QStringList documentLines(const QString& path, const QStringList& options = {}) const
    {
        QProcess reader;
        reader.start(QStringLiteral("/usr/bin/python3"),
            QStringList { orvtest::testsFile(QStringLiteral("output/word/read_document.py")) } + options
                + QStringList { path });
        reader.waitForFinished(60000);
        return QString::fromUtf8(reader.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QString writeTemplate(const QString& name) const
    {
        const QString path = QDir(folder.path()).filePath(name);
        QProcess::execute(QStringLiteral("/usr/bin/python3"),
            { orvtest::testsFile(QStringLiteral("output/word/make_template.py")), path });
        return path;
    }

    // A template of paragraphs ("p:text") and text boxes ("box:text").
    void writeTemplate(const QString& name, const QStringList& parts) const
    {
        QProcess::execute(QStringLiteral("/usr/bin/python3"),
            QStringList { orvtest::testsFile(QStringLiteral("output/word/write_template.py")),
                QDir(folder.path()).filePath(name) }
                + parts);
    }

    // The filled document's lines without the blank ones, or the boxes shown when there is none.
    QStringList filledLines(const QString& templateName)
    {
        NoProgress progress;
        const QString filled = output::CreateWordReport(templateName, progress);
        if (filled.isEmpty())
            return ui.boxTexts();
        QStringList lines = documentLines(filled);
        lines.removeAll(QString());
        QFile::remove(filled);
        return lines;
    }

    QTemporaryDir folder;
};

TEST_P(WordReportTest, PlaceholdersEvaluateAgainstTheCopysRecords)
{
    // A description row without a column name names no field (logged once, however often asked for).
    database.connection()->execute(
        QStringLiteral("insert into table_struct_description (table_name, table_chn_name, column_name, "
                       "column_chn_name) values ('wsda', '文书档案', NULL, '无名')"));
    platform::db::Recordset data;
    data.open(QStringLiteral("select piece_no, archive_no, title from wsda order by piece_no"),
        *database.connection());
    PlaceholderContext context(database.connection(), data, { QStringLiteral("wsda") });
    output::CopyRecords copy;
    for (int row = 1; row <= 2; ++row) {
        copy.values.push_back({ data.text(0), data.text(1), data.text(2) });
        copy.positions.push_back(data.absolutePosition());
        data.moveNext();
    }
    copy.recordsInCopy = 2;

    struct Case {
        const char* expression;
        const char* row;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        { "\"共\"+档号", "1", QStringLiteral("共A-0001") }, // literal and Chinese field name
        { "wsda.archive_no", "2", QStringLiteral("A-0002") },
        { "piece_no@//0.00", "2", QStringLiteral("2.00") },
        { "nosuch", "1", QStringLiteral("找不到此字段:nosuch") },
        { "\"只有文字\"", "1", std::nullopt }, // literals alone count as not evaluated
        { "@E/#piece_no# * 10", "2", QStringLiteral("20") }, // special formula on the row's record
        // A special formula ends at the next "+": its value replaces what came before, what follows adds.
        { "\"前\"+@E/#piece_no# * 100@//0000+\"件\"", "1", QStringLiteral("0100件") },
        { "@E/select count(*) from wsda+\"件\"", "1", QStringLiteral("5件") },
        { "@E/#piece_no# * 10+archive_no", "2", QStringLiteral("20A-0002") },
        // A term splits at every "@": a "#" of a text or a format marks nothing; only a special formula
        // keeps the record flag's "@" (1 on the report's first record).
        { "\"No.#\"@//+archive_no", "1", QStringLiteral("No.#A-0001") },
        { "\"第#\"@//0.0#+piece_no@//0.00#@//000", "2", QStringLiteral("第#002") },
        { "@E/#piece_no# * 10 - #@flag#@//00", "1", QStringLiteral("09") },
        { "title&1-2&B", "G", QStringLiteral("第1") },
        { "title&3-1&B", "2", QStringLiteral("号") },
        { "档号&1-1&F", "1", QStringLiteral("1") },
        { "无名", "1", QStringLiteral("找不到此字段:无名") },
        { "wsda.无名", "2", QStringLiteral("找不到此字段:wsda.无名") },
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            context.EvalPlaceholder(QString::fromUtf8(c.expression), QString::fromUtf8(c.row), true, copy),
            c.expected)
            << c.expression;
    EXPECT_EQ(data.absolutePosition(), 3) << "the special formula puts the data back where it stood";
    EXPECT_EQ(database.rows(QStringLiteral("select procedure_name from orv_error_log")),
        (QList<QStringList> { { "GetFieldIndex" } }));
    EXPECT_EQ(
        context.EvalPlaceholder(QStringLiteral("archive_no"), QStringLiteral("3"), false, copy), QString());
    EXPECT_THROW(context.EvalPlaceholder(QStringLiteral("title&2&B"), QStringLiteral("1"), true, copy),
        platform::Error);
    EXPECT_THROW(
        context.EvalPlaceholder(QStringLiteral("\""), QStringLiteral("1"), true, copy), platform::Error);
}

// Three records a copy, a new copy for each change of the group fields: 永久 fills one copy and starts
// another, 长期 has one of its own.
const QStringList FilledReport = { "年度：2003", "共A-0001 首件：A-00", "cell:1|A-0001|1号文",
    "cell:2|A-0002|2号文", "cell:3|A-0003|3号文", "", "box:保管期限：永久", "", //
    "PAGE", "", "年度：2003", "共A-0004 首件：A-00", "cell:4|A-0004|4号文", "cell:||", "cell:||", "",
    "box:保管期限：永久", "", //
    "PAGE", "", "年度：2003", "共A-0005 首件：A-00", "cell:5|A-0005|5号文", "cell:||", "cell:||", "",
    "box:保管期限：长期", "" };

TEST_P(WordReportTest, TemplateIsFilledCopyByCopy)
{
    writeTemplate(QStringLiteral("档案目录.docx"));
    NoProgress progress;
    const QString filled = output::CreateWordReport(QStringLiteral("档案目录.docx"), progress);
    ASSERT_FALSE(filled.isEmpty()) << ui.boxTexts().join(QLatin1Char('\n')).toStdString();
    QStringList lines = documentLines(filled);
    lines.removeAll(QString()); // blank paragraphs only space the page
    QStringList expected = FilledReport;
    expected.removeAll(QString());
    EXPECT_EQ(lines, expected);
    // One body, closed once by the template's section properties; the three copies between page breaks.
    const auto structure = [&](const QString& path) {
        return documentLines(path, { QStringLiteral("--structure") }).join(QLatin1Char('\n')).toStdString();
    };
    EXPECT_EQ(structure(filled), "bodies 1, sections 1 last, page breaks 2");
    ASSERT_EQ(ui.openedUrls().size(), 1);
    EXPECT_EQ(ui.openedUrls().front().toLocalFile(), filled);
    // Archive data is its owner's alone.
    EXPECT_EQ(std::filesystem::status(output::WordReportFolder().toStdString()).permissions(),
        std::filesystem::perms::owner_all);
    EXPECT_EQ(std::filesystem::status(filled.toStdString()).permissions(),
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_EQ(logRows(), printLogRow(demo::DataReportName));
    QFile::remove(filled);

    // The older binary format goes through the office suite and gives the same document; a conversion
    // that runs at the same time (to PDF) gives its own file too.
    if (platform::outside::findProgram({ QStringLiteral("soffice") }).isEmpty()
        || GetParam() != orvtest::Backend::SQLite)
        return;
    const QString source = QDir(folder.path()).filePath(QStringLiteral("档案目录.docx"));
    const QTemporaryDir pdfFolder;
    QString pdf;
    std::jthread beside([&] {
        try {
            pdf = platform::outside::convertDocument(source, QStringLiteral("pdf"), pdfFolder.path());
        } catch (const platform::Error& error) {
            pdf = error.description();
        }
    });
    platform::outside::convertDocument(source, QStringLiteral("doc"), folder.path());
    beside = {};
    EXPECT_GT(QFileInfo(pdf).size(), 0) << pdf.toStdString();
    const QString fromDoc = output::CreateWordReport(QStringLiteral("档案目录.doc"), progress);
    ASSERT_FALSE(fromDoc.isEmpty()) << ui.boxTexts().join(QLatin1Char('\n')).toStdString();
    lines = documentLines(fromDoc);
    lines.removeAll(QString());
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(structure(fromDoc), "bodies 1, sections 1 last, page breaks 2");
    QFile::remove(fromDoc);
}

// The record flags and the group-page counter, the format part, an expression that is no field, the
// row part carried within a pass and a special formula followed by a text, each through a template
// filled from the five documents.
TEST_P(WordReportTest, TemplatesFillAsTheirPlaceholdersSay)
{
    struct Case {
        const char* what;
        QStringList retention; // of pieces 1 to 5; empty: as made
        QStringList parts;
        QStringList expected;
    };
    const QString byPiece = QStringLiteral("p:<#select * from wsda order by piece_no|I#>");
    const Case cases[] = {
        // Three records a copy, a new copy at each change of retention. Copy 1 ends its group after one
        // record: 8 (the first copy's 1, and the 4 of a group-page counter of 1, give way to it). Copy 2
        // also ends its group, so the counter is 1 again: 4 on row 1, 8 on its last row. Copy 3 runs to the
        // end of the data with the counter at 2: 0, then 2 on its last row.
        { "record flags", { "永久", "长期", "长期", "永久", "永久" },
            { "p:组:<#retention|G#>", "p:标志:<#@E/#@flag#|1#>/<#@E/#@flag#|2#>/<#@E/#@flag#|3#>", byPiece },
            { "组:永久", "标志:8//", "PAGE", "组:长期", "标志:4/8/", "PAGE", "组:永久", "标志:0/2/" } },
        // One record a copy in one group: the first record takes the group's values without changing
        // it, so copy 1 gets the 4 of its group-page counter of 1 (not 8), and the counter then counts on.
        { "first record of a group", { "永久", "永久", "永久", "永久", "永久" },
            { "p:<#retention|G#>:<#@E/#@flag#|1#>", byPiece },
            { "永久:4", "PAGE", "永久:0", "PAGE", "永久:0", "PAGE", "永久:0", "PAGE", "永久:2" } },
        // Two records a copy. A text box is a pass of its own: its placeholder without a row part takes
        // row 1, not the body's last row part.
        { "format part, no field, carried row part, formula and text", {},
            { "p:<#piece_no|1|000#>/<#piece_no|2|000#>", "p:<#\"只有文字\"|1#>",
                "p:<#archive_no|2#>,<#title#>", "p:<#@E/select count(*) from wsda+\"件\"|1#>",
                "box:<#archive_no#>", byPiece },
            { "001/002", "找不到字段：\"只有文字\"", "A-0002,第2号文件", "5件", "box:A-0001", "PAGE", //
                "003/004", "找不到字段：\"只有文字\"", "A-0004,第4号文件", "5件", "box:A-0003", "PAGE", //
                "005/", "找不到字段：\"只有文字\"", ",", "5件", "box:A-0005" } },
    };
    for (const Case& c : cases) {
        for (int piece = 1; piece <= c.retention.size(); ++piece)
            database.connection()->execute(QStringLiteral("update wsda set retention = ? where piece_no = ?"),
                { c.retention[piece - 1], piece });
        writeTemplate(QStringLiteral("模板.docx"), c.parts);
        EXPECT_EQ(filledLines(QStringLiteral("模板.docx")).join(QLatin1Char('\n')).toStdString(),
            c.expected.join(QLatin1Char('\n')).toStdString())
            << c.what;
    }
}

// The filled document reaches the opener by a path that no other account can redirect: the runtime
// folder's, while another account swaps the temporary folder's own folder for a link to theirs. Without
// a runtime folder of the user's alone (a link to one is none), a temporary folder that others may write
// to without the sticky bit, or inside a folder of another account, or an own folder there that another
// account made, is refused by name: nothing opened or written.
TEST_P(WordReportTest, TheOpenerGetsAPathNoOtherAccountCanRedirect)
{
    writeTemplate(QStringLiteral("目录.docx"));
    const orvtest::SavedEnvironment savedTemp { "TMPDIR" }, savedRuntime { "XDG_RUNTIME_DIR" };
    QTemporaryDir scratch;
    const QDir root(QFileInfo(scratch.path()).canonicalFilePath());
    const QString own = QStringLiteral("/OrvReport-%1").arg(::geteuid());
    const std::tuple<QString, unsigned, bool> folders[] = { { "open", 0777, false },
        { "open" + own, 0700, false }, { "sticky", 01777, false }, { "sticky" + own, 0777, true },
        { "runtime", 0700, false }, { "runtime-wide", 0755, false }, { "runtime-others", 0700, true },
        { "elsewhere", 0777, true }, { "others", 0755, true }, { "others/tmp", 01777, false } };
    for (const auto& [name, mode, others] : folders) {
        const QByteArray path = QFile::encodeName(root.filePath(name));
        ASSERT_TRUE(
            QDir().mkpath(path) && ::chmod(path, mode) == 0 && (!others || ::chown(path, 65534, 65534) == 0));
    }
    ASSERT_TRUE(QFile::link(root.filePath("elsewhere"), root.filePath("open/link")));
    ASSERT_TRUE(QFile::link(root.filePath("runtime"), root.filePath("runtime-link")));
    // Another account exchanging the temporary folder's own folder and its link, for as long as a case runs.
    const QByteArray ownName = QFile::encodeName(root.filePath("open" + own));
    const QByteArray linkName = QFile::encodeName(root.filePath("open/link"));
    const auto swapNames = [&](std::stop_token stop, int& swaps) {
        while (!stop.stop_requested() || swaps % 2 != 0)
            swaps += ::renameat2(AT_FDCWD, ownName, AT_FDCWD, linkName, RENAME_EXCHANGE) == 0 ? 1 : 0;
    };

    const std::tuple<const char*, const char*, int, QString> cases[] = { // refused: the folder named
        { "open", "runtime", 20, {} }, { "open", "", 1, root.filePath("open") },
        { "sticky", "runtime-wide", 1, root.filePath("sticky" + own) },
        { "sticky", "runtime-others", 1, root.filePath("sticky" + own) },
        { "open", "runtime-link", 1, root.filePath("open") },
        { "others/tmp", "", 1, root.filePath("others/tmp") }
    };
    NoProgress progress;
    for (const auto& [temporary, runtime, fillings, refused] : cases) {
        qputenv("TMPDIR", QFile::encodeName(root.filePath(temporary)));
        qputenv("XDG_RUNTIME_DIR", *runtime ? QFile::encodeName(root.filePath(runtime)) : QByteArray());
        const qsizetype before = ui.openedUrls().size();
        int swaps = 0;
        std::jthread swapper(swapNames, std::ref(swaps));
        for (int filling = 0; filling < fillings; ++filling)
            EXPECT_EQ(output::CreateWordReport(QStringLiteral("目录.docx"), progress).isEmpty(),
                !refused.isEmpty());
        swapper = {};
        EXPECT_TRUE(swaps > 0 || fillings == 1) << "the swap ran beside the fillings";
        EXPECT_TRUE(refused.isEmpty() || ui.boxTexts().join('\n').contains(refused)) << temporary << runtime;
        const QList<QUrl> opened = ui.openedUrls().mid(before);
        EXPECT_EQ(opened.size(), refused.isEmpty() ? fillings : 0) << temporary << runtime;
        for (const QUrl& url : opened) {
            const QFileInfo file(url.toLocalFile());
            EXPECT_TRUE(file.canonicalFilePath().startsWith(root.filePath("runtime/OrvReport/"))
                && file.ownerId() == ::geteuid())
                << file.filePath().toStdString();
        }
        EXPECT_TRUE(
            QDir(root.filePath("elsewhere")).isEmpty() && QDir(root.filePath("sticky" + own)).isEmpty());
    }
}

TEST_P(WordReportTest, RunsThatCannotFillTellWhyAndLeaveNoDocument)
{
    NoProgress progress;
    EXPECT_EQ(output::CreateWordReport(QStringLiteral("缺少.docx"), progress), QString());
    EXPECT_EQ(ui.boxes().back().text,
        QStringLiteral("找不到报表摸板") + QDir(folder.path()).filePath(QStringLiteral("缺少.docx"))
            + QStringLiteral("!"));

    const auto filled = [] {
        return QDir(output::WordReportFolder())
            .entryList({ QStringLiteral("目录-*"), QStringLiteral("无标记-*") }, QDir::Files)
            .size();
    };
    const auto before = filled();
    writeTemplate(QStringLiteral("无标记.docx"), { QStringLiteral("p:归档年度 2003 <无标记>") });
    EXPECT_EQ(output::CreateWordReport(QStringLiteral("无标记.docx"), progress), QString());
    EXPECT_EQ(ui.boxes().back().text, QStringLiteral("该报表模板有错或您同时还在运行其他WORD程序！"));

    writeTemplate(QStringLiteral("目录.docx"));
    report.setSelectWhere(QStringLiteral("wsda.piece_no > 100"));
    EXPECT_EQ(output::CreateWordReport(QStringLiteral("目录.docx"), progress), QString());
    EXPECT_EQ(ui.boxes().back().text, QStringLiteral("没有打印数据！"));
    EXPECT_EQ(ui.boxes().back().title, QStringLiteral("提示"));
    EXPECT_EQ(filled(), before);

    // A template with a part named to land outside the document is refused as damaged.
    report.setSelectWhere({});
    const QString hostile = QDir(folder.path()).filePath(QStringLiteral("目录.docx"));
    QProcess::execute(QStringLiteral("/usr/bin/python3"),
        { orvtest::testsFile(QStringLiteral("output/word/add_part.py")), hostile,
            QStringLiteral("../../evil.txt") });
    EXPECT_EQ(output::CreateWordReport(QStringLiteral("目录.docx"), progress), QString());
    EXPECT_TRUE(
        ui.boxes().back().text.startsWith(QStringLiteral("报表模板") + hostile + QStringLiteral("已损坏")))
        << ui.boxes().back().text.toStdString();
    EXPECT_TRUE(ui.boxes().back().text.endsWith(QStringLiteral("！")));
    EXPECT_EQ(filled(), before);
}

OUTPUT_WINDOW_SUITE(WordReportTest);

// The demo archive's Word report on the shipped template, as a clerk prints it.
class DemoWordReport : public OutputWindowTest
{
protected:
    DemoWordReport()
        : OutputWindowTest(300)
    {
    }
};

// Fifteen documents a copy, a new copy for each year and retention period: printed from the office
// suite, every copy fills one A4 page of its own.
TEST_P(DemoWordReport, EachCopyIsOnePageOfA4)
{
    if (GetParam() != orvtest::Backend::SQLite)
        GTEST_SKIP()
            << "the office suite's conversion is slow and its document does not depend on the database";
    if (platform::outside::findProgram({ QStringLiteral("soffice") }).isEmpty())
        GTEST_SKIP() << "no office suite (soffice) to print the document with";
    int copies = 0;
    for (const QStringList& group :
        database.rows(QStringLiteral("select count(*) from wsda group by filing_year, retention")))
        copies += (group[0].toInt() + 14) / 15;

    report.setReportId(demo::WordReportId);
    NoProgress progress;
    const QString filled = output::CreateWordReport(demo::WordReportTemplate, progress);
    ASSERT_FALSE(filled.isEmpty()) << ui.boxTexts().join(QLatin1Char('\n')).toStdString();
    QTemporaryDir converted;
    const QString pdf = platform::outside::convertDocument(filled, QStringLiteral("pdf"), converted.path());
    QFile::remove(filled);
    EXPECT_EQ(orvtest::PdfPrints::pageCount(pdf), copies);
    EXPECT_TRUE(orvtest::PdfPrints::info(pdf).contains(QStringLiteral("(A4)")));
}

OUTPUT_WINDOW_SUITE(DemoWordReport);

} // namespace

#include "output/ReportOutput.h"
#include "output/WebExport.h"
#include "platform/Error.h"
#include "platform/grid/io/XlsDump.h"
#include "platform/grid/Sheet.h"
#include "platform/outside/SettingsObject.h"
#include "support/FileSizeLimit.h"
#include "support/SavedEnvironment.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <QDir>
#include <QFileInfo>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <unistd.h>

namespace
{

// Points the environment and the settings at folders of the test, and puts both back.
class WebExportFolders : public testing::Test
{
protected:
    void SetUp() override
    {
        qunsetenv("ORV_WEB_EXPORT_DIR");
        platform::outside::setSettingsFolder(settings_.path());
    }
    void TearDown() override { platform::outside::setSettingsFolder({}); }

    QTemporaryDir settings_;
    QTemporaryDir exports_;
    orvtest::SavedEnvironment saved_ { "ORV_WEB_EXPORT_DIR" };
};

} // namespace

// Only a full path in TMPDIR names the temporary folder: a relative one would be the working folder's.
TEST_F(WebExportFolders, EnvironmentBeforeSettingBeforeTheTemporaryFolder)
{
    const orvtest::SavedEnvironment savedTemp { "TMPDIR" };
    for (const char* temporary : { "", "relative", ".", "/tmp/" }) {
        qputenv("TMPDIR", temporary);
        EXPECT_EQ(output::webExportFolder(), QStringLiteral("/tmp/retportTemp")) << temporary;
    }
    qputenv("TMPDIR", "/srv/tmp");
    EXPECT_EQ(output::webExportFolder(), QStringLiteral("/srv/tmp/retportTemp"));
    platform::outside::SettingsObject().write(
        QStringLiteral("PrintSetup"), output::WebExportFolderKey, QStringLiteral("/srv/exports"));
    EXPECT_EQ(output::webExportFolder(), QStringLiteral("/srv/exports"));
    qputenv("ORV_WEB_EXPORT_DIR", exports_.path().toLocal8Bit());
    EXPECT_EQ(output::webExportFolder(), exports_.path());
}

namespace
{

platform::grid::CellFormat bold()
{
    platform::grid::CellFormat format;
    format.fontBold = true;
    return format;
}

// A report of `batches` batches of two pages of three rows, each page's first cell saying which it is.
class BatchedReport : public output::ReportOutput
{
public:
    explicit BatchedReport(int batches, bool hasData = true)
        : ReportOutput(nullptr)
        , batches_(batches)
        , hasData_(hasData)
    {
    }
    bool Prepare() override { return true; }
    void BuildBatch(platform::grid::Sheet& working, int pages, QProgressBar&) override
    {
        EXPECT_EQ(pages, output::WebExportBatchPages);
        // The batch before went into the workbook with its cells, and left none behind.
        EXPECT_EQ(working.lastUsedRow(), 0) << "before build " << built_ + 1;
        if (beforeBuild)
            beforeBuild(built_ + 1);
        working = platform::grid::Sheet {};
        for (int page = 0; page < 2; ++page) {
            const int first = page * rowsPerPage + 1;
            const int last = first + rowsPerPage - 1;
            working.setText(first, 1, QStringLiteral("第%1页").arg(built_ * 2 + page + 1));
            working.setText(last, 1, QString()); // the page's last row, empty but formatted
            working.applyFormat(platform::grid::CellRange::cell(last, 1), bold());
        }
        working.setRowPageBreaks({ 1, rowsPerPage + 1 });
        ++built_;
    }
    bool HasData() const override { return hasData_; }
    bool Finished() const override { return built_ == batches_; }
    int PageCount() const override { return stallFrom > 0 && built_ >= stallFrom ? 0 : 2; }
    QVector<int> StatPageStarts() const override { return {}; }
    void Release() override { }

    int stallFrom = 0; // from this build on no page is made, though the data goes on
    std::function<void(int build)> beforeBuild;
    int rowsPerPage = 3;

private:
    int batches_;
    bool hasData_;
    int built_ = 0;
};

} // namespace

TEST_F(WebExportFolders, WritesEveryBatchIntoOneWorkbookNamedByANewIdInAFolderItMakes)
{
    const QString folder = exports_.filePath(QStringLiteral("a/b"));
    qputenv("ORV_WEB_EXPORT_DIR", folder.toLocal8Bit());
    platform::grid::Sheet working;
    QProgressBar progress;
    BatchedReport first(3);
    BatchedReport second(1);
    const QString path = output::WriteWebExport(first, working, progress);
    EXPECT_NE(output::WriteWebExport(second, working, progress), path);
    const QFileInfo file(path);
    EXPECT_EQ(file.absolutePath(), QDir(folder).absolutePath());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{20}\\.XLS$")).match(file.fileName()).hasMatch())
        << file.fileName().toStdString();

    const QJsonObject sheet = xlsDump(path)[QStringLiteral("sheets")][0].toObject();
    QStringList pages;
    for (const auto& cell : sheet[QStringLiteral("cells")].toArray())
        if (cell[QStringLiteral("kind")].toString() == QStringLiteral("text"))
            pages << QStringLiteral("%1:%2")
                         .arg(cell[QStringLiteral("row")].toInt())
                         .arg(cell[QStringLiteral("value")].toString());
    EXPECT_EQ(pages, (QStringList { "0:第1页", "3:第2页", "6:第3页", "9:第4页", "12:第5页", "15:第6页" }));
    EXPECT_EQ(sheet[QStringLiteral("breaks")].toArray(), (QJsonArray { 3, 6, 9, 12, 15 }));
    EXPECT_EQ(working.lastUsedRow(), 0);
}

// The default folder lies in the temporary folder, which others may write to: it is used only as the
// user's own, made or narrowed to 0700 with workbooks of 0600. When another account made it, or put a
// link or a file by its name, the user's own folder beside it takes the workbook and nothing goes into
// the other one; when that too cannot be the user's, the export is refused with the folder named. A
// folder that is named is used as it is set up.
TEST_F(WebExportFolders, TheDefaultFolderIsTheUsersOwnAndANamedOneIsUsedAsSetUp)
{
    namespace fs = std::filesystem;
    QTemporaryDir temp;
    const fs::path root = temp.path().toStdString();
    const fs::path folder = root / "retportTemp";
    const fs::path beside = root / ("retportTemp-" + std::to_string(::geteuid()));
    fs::create_directory(root / "elsewhere");
    orvtest::SavedEnvironment savedTemp { "TMPDIR" };
    qputenv("TMPDIR", temp.path().toLocal8Bit());
    const auto makeFolder = [&](fs::perms mode) {
        fs::create_directory(folder);
        fs::permissions(folder, mode);
    };
    const auto link = [&](const fs::path& name) { fs::create_directory_symlink(root / "elsewhere", name); };
    struct Case {
        const char* name;
        std::function<void()> prepare;
        bool named;
        std::optional<fs::path> written; // the folder that takes the workbook; none: refused
        fs::perms folderMode;
    };
    const Case cases[] = {
        { "missing", [] {}, false, folder, fs::perms::owner_all },
        { "own, open to all", [&] { makeFolder(fs::perms::all); }, false, folder, fs::perms::owner_all },
        { "link", [&] { link(folder); }, false, beside, fs::perms::owner_all },
        { "file", [&] { std::ofstream(folder) << "x"; }, false, beside, fs::perms::owner_all },
        { "another account's",
            [&] {
                makeFolder(fs::perms::all);
                ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
            },
            false, beside, fs::perms::owner_all },
        { "link, and a link beside",
            [&] {
                link(folder);
                link(beside);
            },
            false, {}, {} },
        { "named", [&] { makeFolder(fs::perms(0755)); }, true, folder, fs::perms(0755) },
    };
    platform::grid::Sheet working;
    QProgressBar progress;
    for (const Case& c : cases) {
        fs::remove_all(folder);
        fs::remove_all(beside);
        c.prepare();
        qputenv("ORV_WEB_EXPORT_DIR", c.named ? QByteArray::fromStdString(folder.string()) : QByteArray());
        BatchedReport report(1);
        try {
            const fs::path path = output::WriteWebExport(report, working, progress).toStdString();
            ASSERT_TRUE(c.written) << c.name << ": written";
            EXPECT_EQ(path.parent_path(), *c.written) << c.name;
            EXPECT_EQ(fs::symlink_status(*c.written).permissions(), c.folderMode) << c.name;
            if (!c.named) {
                EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write);
            }
        } catch (const platform::Error& error) {
            EXPECT_TRUE(!c.written && error.description().contains(QString::fromStdString(beside.string())))
                << c.name << ": " << error.description().toStdString();
        }
        EXPECT_TRUE(fs::is_empty(root / "elsewhere")) << c.name;
        if (c.written != folder && fs::is_directory(fs::symlink_status(folder))) {
            EXPECT_TRUE(fs::is_empty(folder)) << c.name;
            EXPECT_EQ(fs::status(folder).permissions(), fs::perms::all) << c.name;
        }
    }
}

TEST_F(WebExportFolders, AReportWithoutDataWritesNothing)
{
    qputenv("ORV_WEB_EXPORT_DIR", exports_.path().toLocal8Bit());
    platform::grid::Sheet working;
    QProgressBar progress;
    BatchedReport report(1, false);
    EXPECT_TRUE(output::WriteWebExport(report, working, progress).isEmpty());
    EXPECT_TRUE(QDir(exports_.path()).isEmpty());
}

TEST_F(WebExportFolders, ABuildThatMakesNoPageBeforeTheDataEndsFailsAndWritesNothing)
{
    qputenv("ORV_WEB_EXPORT_DIR", exports_.path().toLocal8Bit());
    platform::grid::Sheet working;
    QProgressBar progress;
    BatchedReport report(5);
    report.stallFrom = 2;
    EXPECT_THROW(output::WriteWebExport(report, working, progress), platform::Error);
    EXPECT_TRUE(QDir(exports_.path()).isEmpty());
}

// The worksheets wait in a temporary file and the workbook is written at the end: a disk that fills
// up at either leaves no file behind.
TEST_F(WebExportFolders, AFullDiskIsAFileErrorAndLeavesNoFile)
{
    qputenv("ORV_WEB_EXPORT_DIR", exports_.path().toLocal8Bit());
    platform::grid::Sheet working;
    QProgressBar progress;
    for (const long long room : { 0LL, 5000LL }) {
        BatchedReport report(2);
        try {
            orvtest::FileSizeLimit disk(room);
            output::WriteWebExport(report, working, progress);
            ADD_FAILURE() << "written without error with room for " << room << " bytes";
        } catch (const platform::Error& error) {
            EXPECT_EQ(error.number(), platform::errors::FileError);
        }
        EXPECT_TRUE(QDir(exports_.path()).isEmpty()) << room;
    }
}

// A worksheet that fills up goes into the temporary file while later batches wait for the workbook:
// when that write fails, the export fails with it, whatever waits behind it.
TEST_F(WebExportFolders, AWorksheetThatCannotBePutAsideWhileBatchesWaitIsAFileError)
{
    qputenv("ORV_WEB_EXPORT_DIR", exports_.path().toLocal8Bit());
    platform::grid::Sheet working;
    QProgressBar progress;
    BatchedReport report(4);
    report.rowsPerPage = 40000; // a batch's second page starts the second worksheet
    orvtest::FileSizeLimit disk(0);
    try {
        output::WriteWebExport(report, working, progress);
        ADD_FAILURE() << "written without error";
    } catch (const platform::Error& error) {
        EXPECT_EQ(error.number(), platform::errors::FileError);
    }
    EXPECT_TRUE(QDir(exports_.path()).isEmpty());
}

// A batch that cannot go into the workbook fails the export, even where the workbook could still be
// written at the end. The temporary files' folder is a file until the fourth batch is built; the export
// takes the first batch's append before the third batch, so it must stop there: going on, it would write
// a workbook without the first batch's worksheet.
TEST_F(WebExportFolders, ABatchThatCannotBeAppendedFailsTheExportThoughTheEndCouldBeWritten)
{
    qputenv("ORV_WEB_EXPORT_DIR", exports_.path().toLocal8Bit());
    const orvtest::SavedEnvironment savedTemporary("TMPDIR");
    const QTemporaryDir parent;
    const QString temporary = parent.filePath(QStringLiteral("temporary"));
    QFile notAFolder(temporary);
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    qputenv("TMPDIR", temporary.toLocal8Bit());
    platform::grid::Sheet working;
    QProgressBar progress;
    BatchedReport report(5);
    report.rowsPerPage = 40000; // every batch fills a worksheet, which goes into the temporary file
    report.beforeBuild = [&](int build) {
        if (build == 4) {
            ASSERT_TRUE(QFile::remove(temporary) && QDir().mkdir(temporary));
        }
    };
    try {
        output::WriteWebExport(report, working, progress);
        ADD_FAILURE() << "written without error";
    } catch (const platform::Error& error) {
        EXPECT_EQ(error.number(), platform::errors::FileError);
        EXPECT_TRUE(error.description().contains(temporary)) << error.description().toStdString();
    }
    EXPECT_TRUE(QDir(exports_.path()).isEmpty());
}

TEST_F(WebExportFolders, AFolderThatCannotBeMadeIsAFileError)
{
    QFile blocker(exports_.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("ORV_WEB_EXPORT_DIR", blocker.fileName().append(QStringLiteral("/inside")).toLocal8Bit());
    platform::grid::Sheet working;
    QProgressBar progress;
    BatchedReport report(1);
    try {
        output::WriteWebExport(report, working, progress);
        FAIL() << "no error";
    } catch (const platform::Error& error) {
        EXPECT_EQ(error.number(), platform::errors::FileError);
    }
}

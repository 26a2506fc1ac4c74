#include "platform/Error.h"
#include "platform/grid/io/DeviceWrite.h"
#include "platform/grid/io/SheetFile.h"
#include "SampleSheets.h"
#include "support/FileSizeLimit.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace platform;
using namespace platform::grid;
using namespace platform::grid::io;

namespace
{

struct ExtensionCase {
    const char* path;
    std::optional<FileType> type;
};
void PrintTo(const ExtensionCase& c, std::ostream* os)
{
    *os << c.path;
}

class FileTypeTest : public ::testing::TestWithParam<ExtensionCase>
{
};

// The whole extension counts, not its last three letters: "report.html" is a web page.
INSTANTIATE_TEST_SUITE_P(Extensions, FileTypeTest,
    ::testing::Values(ExtensionCase { "REPORT.XLS", FileType::Xls },
        ExtensionCase { "报表.xls", FileType::Xls }, ExtensionCase { "report.html", FileType::Html },
        ExtensionCase { "/tmp/报表.htm", FileType::Html },
        ExtensionCase { "archive.tar.txt", FileType::Text }, ExtensionCase { "SHEET.Vts", FileType::Vts },
        ExtensionCase { "noextension", std::nullopt }, ExtensionCase { "report.xlsx", std::nullopt },
        ExtensionCase { "report.shtml", std::nullopt }, ExtensionCase { "folder.xls/report", std::nullopt },
        ExtensionCase { "report.", std::nullopt }));

} // namespace

TEST_P(FileTypeTest, TypeComesFromTheExtension)
{
    EXPECT_EQ(fileTypeForExtension(QString::fromUtf8(GetParam().path)), GetParam().type);
}

namespace
{

struct WriteCase {
    FileType type;
    QByteArray start; // how a file of that type begins
};
void PrintTo(const WriteCase& c, std::ostream* os)
{
    *os << int(c.type);
}

class WriteSheetTest : public ::testing::TestWithParam<WriteCase>
{
};

INSTANTIATE_TEST_SUITE_P(Types, WriteSheetTest,
    ::testing::Values(WriteCase { FileType::Vts, R"({")" },
        WriteCase { FileType::Xls, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" },
        WriteCase { FileType::Html, "<!DOCTYPE html>" }, WriteCase { FileType::Text, "档案目录" }));

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_P(WriteSheetTest, ReplacesAnOlderFileWholeAndLeavesNothingElse)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("导出.dat"));
    {
        QFile older(path);
        ASSERT_TRUE(older.open(QIODevice::WriteOnly));
        older.write(QByteArray(200000, 'x')); // longer than what replaces it
    }
    writeSheet(richSheet(), path, GetParam().type);
    const QByteArray written = fileContent(path);
    EXPECT_TRUE(written.startsWith(GetParam().start));
    EXPECT_FALSE(written.contains(QByteArray(100, 'x')));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("导出.dat") });
}

TEST_P(WriteSheetTest, UnwritablePlaceIsAFileErrorAndWritesNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing/report.out"));
    try {
        writeSheet(richSheet(), path, GetParam().type);
        FAIL() << "written without error";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), errors::FileError);
        EXPECT_TRUE(error.description().contains(path)) << error.description().toStdString();
    }
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

// A disk that fills up before the file is whole, at its first byte, in its middle or at its very last
// byte: the writer says so, and the older file stays as it was with nothing beside it.
TEST_P(WriteSheetTest, AFullDiskIsAFileErrorAndTheOlderFileStays)
{
    QTemporaryDir dir;
    const QString whole = dir.filePath(QStringLiteral("whole.dat"));
    writeSheet(richSheet(), whole, GetParam().type);
    const qint64 size = QFileInfo(whole).size();
    ASSERT_GT(size, 100);
    QFile::remove(whole);

    const QString path = dir.filePath(QStringLiteral("导出.dat"));
    {
        QFile older(path);
        ASSERT_TRUE(older.open(QIODevice::WriteOnly));
        older.write("older");
    }
    for (const qint64 room : { qint64(0), size / 2, size - 1 }) {
        try {
            orvtest::FileSizeLimit disk(room);
            writeSheet(richSheet(), path, GetParam().type);
            ADD_FAILURE() << "written without error with room for " << room << " bytes";
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), errors::FileError);
            EXPECT_TRUE(error.description().contains(path)) << error.description().toStdString();
            // The system's own reason: the limit stands for a full disk as "File too large".
            EXPECT_TRUE(error.description().endsWith(qt_error_string(EFBIG)))
                << room << ": " << error.description().toStdString();
        }
        EXPECT_EQ(fileContent(path), QByteArray("older")) << room;
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList { QStringLiteral("导出.dat") })
            << room;
    }
}

// A device without room at all (the system's full device) is told by the system's reason.
TEST(DeviceWrite, AFullDeviceIsToldWithTheSystemsReason)
{
    QFile full(QStringLiteral("/dev/full"));
    if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        GTEST_SKIP() << "no /dev/full here";
    try {
        writeAll(full, QByteArray(100000, 'x'));
        ADD_FAILURE() << "written to a full device";
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), errors::FileError);
        EXPECT_EQ(error.description(), qt_error_string(ENOSPC));
    }
}

#include "platform/grid/io/CompoundFile.h"
#include "XlsDump.h"

#include <gtest/gtest.h>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace platform::grid::io;

namespace
{

QByteArray patternBytes(qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + i / 251) & 0xFF);
    return bytes;
}

struct StreamCase {
    const char* name;
    qsizetype size;
    qsizetype storedSize; // small streams are padded to the mini-stream cutoff
};

void PrintTo(const StreamCase& c, std::ostream* os)
{
    *os << c.name;
}

class CompoundFileTest : public ::testing::TestWithParam<StreamCase>
{
};

// The header lists 109 allocation-table sectors of 128 entries each: the larger cases need DIFAT
// sectors, the largest more than one.
INSTANTIATE_TEST_SUITE_P(Sizes, CompoundFileTest,
    ::testing::Values(StreamCase { "empty", 0, 4096 }, StreamCase { "small", 100, 4096 },
        StreamCase { "cutoff", 4096, 4096 }, StreamCase { "oddSize", 70001, 70001 },
        // stream + directory + 109 table sectors = 109 * 128 sectors
        StreamCase { "headerTableFull", 13842 * 512, 13842 * 512 },
        StreamCase { "firstDifatSector", 13843 * 512, 13843 * 512 },
        StreamCase { "twoDifatSectors", 17'000'000, 17'000'000 }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

TEST_P(CompoundFileTest, IndependentReaderGetsTheStreamBack)
{
    const StreamCase& c = GetParam();
    const QByteArray stream = patternBytes(c.size);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("file.xls"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        writeCompoundFile(file, QStringLiteral("Workbook"), stream);
    }
    EXPECT_EQ(QFileInfo(path).size() % 512, 0);

    QByteArray expected = stream;
    expected.append(c.storedSize - c.size, '\0');
    const QJsonObject read = xlsDump(path, { QStringLiteral("--stream"), QStringLiteral("Workbook") });
    EXPECT_EQ(read.value("size").toInteger(), c.storedSize);
    EXPECT_EQ(read.value("sha1").toString(),
        QString::fromLatin1(QCryptographicHash::hash(expected, QCryptographicHash::Sha1).toHex()));
}

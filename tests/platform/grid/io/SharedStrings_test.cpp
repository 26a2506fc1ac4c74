#include "platform/grid/io/SharedStrings.h"

#include <gtest/gtest.h>
#include <QStringList>
#include <QtEndian>

using namespace platform::grid::io;

namespace
{

struct Record {
    quint16 id;
    qsizetype offset; // of the record header in the stream
    QByteArray body;
};

QList<Record> splitRecords(const QByteArray& stream)
{
    QList<Record> records;
    qsizetype pos = 0;
    while (pos + 4 <= stream.size()) {
        const quint16 id = qFromLittleEndian<quint16>(stream.constData() + pos);
        const quint16 length = qFromLittleEndian<quint16>(stream.constData() + pos + 2);
        records.append({ id, pos, stream.mid(pos + 4, length) });
        pos += 4 + length;
    }
    EXPECT_EQ(pos, stream.size());
    return records;
}

// Reads the table back by the file format's rules, failing on a string header or a character
// that is split between two records.
struct DecodedTable {
    quint32 total = 0;
    QStringList strings;
    QList<qsizetype> starts; // stream offset of every string
    quint16 bucketSize = 0;
    QList<qsizetype> bucketStarts;
    QList<qsizetype> bucketStartsByRecord; // record start + the bucket's offset inside its record
};

DecodedTable decode(const QByteArray& stream)
{
    const QList<Record> records = splitRecords(stream);
    DecodedTable table;
    int r = 0;
    while (r < records.size() && records[r].id != 0x00FC)
        ++r;
    qsizetype pos = 0;
    auto left = [&] { return records[r].body.size() - pos; };
    auto u8 = [&] { return quint8(records[r].body[pos++]); };
    auto u16 = [&] {
        const quint16 v = qFromLittleEndian<quint16>(records[r].body.constData() + pos);
        pos += 2;
        return v;
    };
    auto u32 = [&] {
        const quint32 v = qFromLittleEndian<quint32>(records[r].body.constData() + pos);
        pos += 4;
        return v;
    };
    auto nextContinue = [&] {
        ++r;
        pos = 0;
        EXPECT_EQ(records[r].id, 0x003C);
    };

    EXPECT_LT(r, records.size());
    table.total = u32();
    const quint32 unique = u32();
    for (quint32 i = 0; i < unique; ++i) {
        if (left() == 0)
            nextContinue();
        EXPECT_GE(left(), 3) << "string header split at string " << i;
        table.starts.append(records[r].offset + 4 + pos);
        const quint16 count = u16();
        bool wide = u8() & 1;
        QString text;
        while (text.size() < count) {
            if (left() == 0) {
                nextContinue();
                wide = u8() & 1;
            }
            if (wide) {
                while (left() >= 2 && text.size() < count)
                    text.append(QChar(u16()));
                if (text.size() < count && left() != 0) {
                    ADD_FAILURE() << "character split at string " << i;
                    return table;
                }
            } else {
                while (left() >= 1 && text.size() < count)
                    text.append(QChar(u8()));
            }
        }
        table.strings.append(text);
    }
    EXPECT_EQ(left(), 0);
    ++r;
    EXPECT_EQ(records[r].id, 0x00FF);
    pos = 0;
    table.bucketSize = u16();
    while (left() >= 8) {
        const qsizetype start = u32();
        const quint16 inRecord = u16();
        u16();
        table.bucketStarts.append(start);
        for (const Record& record : records) {
            if (record.offset <= start && start < record.offset + 4 + record.body.size())
                table.bucketStartsByRecord.append(record.offset + inRecord);
        }
    }
    for (const Record& record : records) {
        EXPECT_LE(record.body.size(), 8224);
    }
    return table;
}

QStringList chinese(int count, int length)
{
    const QString base = QStringLiteral("档案管理报表打印预览，卷内目录与备考表。");
    QStringList out;
    for (int i = 0; i < count; ++i)
        out.append(base.repeated(length / base.size() + 1).left(length - 4) + QString::number(1000 + i));
    return out;
}

QStringList latin(int count, int length)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out.append(QString(length, QChar(u'a' + i % 26)) + QString::number(i));
    return out;
}

QStringList mixedAlignments()
{
    // Lengths 1..40 in both forms move string starts across every position near a record end.
    QStringList out;
    for (int round = 0; round < 30; ++round) {
        for (int length = 1; length <= 40; ++length) {
            out.append(QString(length, QChar(u'x')) + QString::number(round));
            out.append(QString(length, QChar(u'表')) + QString::number(round));
        }
    }
    out.append(QString());
    return out;
}

struct StringsCase {
    const char* name;
    QStringList strings;
};

void PrintTo(const StringsCase& c, std::ostream* os)
{
    *os << c.name;
}

class SharedStringsTest : public ::testing::TestWithParam<StringsCase>
{
};

INSTANTIATE_TEST_SUITE_P(Tables, SharedStringsTest,
    ::testing::Values(StringsCase { "none", {} }, StringsCase { "shortLatin", latin(5000, 3) },
        StringsCase { "longChinese", chinese(40, 3000) }, StringsCase { "oneHugeChinese", chinese(1, 20000) },
        StringsCase { "longLatin", latin(30, 9000) }, StringsCase { "mixedAlignments", mixedAlignments() }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

TEST_P(SharedStringsTest, StringsSurviveRecordSplitting)
{
    const QStringList& strings = GetParam().strings;
    SharedStrings table;
    for (const QString& text : strings)
        EXPECT_EQ(table.add(text), quint32(&text - strings.data()));
    for (const QString& text : strings) // second uses share the first entry
        EXPECT_EQ(table.add(text), quint32(&text - strings.data()));

    BiffWriter out;
    out.begin(0x0042); // the table never starts a stream: offsets count from the stream's start
    out.u16(1200);
    out.end();
    table.write(out);
    const DecodedTable decoded = decode(out.data().toByteArray());

    EXPECT_EQ(decoded.total, quint32(2 * strings.size()));
    EXPECT_EQ(decoded.strings, strings);
    ASSERT_GE(decoded.bucketSize, 8);
    ASSERT_EQ(decoded.bucketStarts.size(), (strings.size() + decoded.bucketSize - 1) / decoded.bucketSize);
    EXPECT_EQ(decoded.bucketStartsByRecord, decoded.bucketStarts);
    for (qsizetype b = 0; b < decoded.bucketStarts.size(); ++b)
        EXPECT_EQ(decoded.bucketStarts[b], decoded.starts[b * decoded.bucketSize]) << "bucket " << b;
}

TEST(SharedStrings, CutsTextsToTheCellLimit)
{
    SharedStrings table;
    table.add(QString(40000, QChar(u'字')));
    BiffWriter out;
    table.write(out);
    const DecodedTable decoded = decode(out.data().toByteArray());
    ASSERT_EQ(decoded.strings.size(), 1);
    EXPECT_EQ(decoded.strings[0].size(), SharedStrings::kMaxCellChars);
}

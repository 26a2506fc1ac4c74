#include "platform/Error.h"
#include "platform/outside/PrivateFolder.h"
#include "platform/outside/TemplateZip.h"
#include "platform/outside/WordDocument.h"
#include "support/FileSizeLimit.h"
#include "support/LimitedRun.h"
#include "support/TestFiles.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <random>
#include <thread>

using platform::outside::WordDocument;
using platform::outside::ZipLimits;

namespace
{

constexpr long long MB = 1024 * 1024;

QString script()
{
    return orvtest::testsFile(QStringLiteral("platform/outside/word/make_docx.py"));
}

// Writes a template of body `body` with the zip tricks `options` (see make_docx.py).
void makeDocx(const QString& path, const std::string& body, const QStringList& options = {})
{
    QProcess maker;
    maker.start(QStringLiteral("/usr/bin/python3"), QStringList { script(), path } + options);
    maker.write(body.data(), qint64(body.size()));
    maker.closeWriteChannel();
    maker.waitForFinished(120000);
    ASSERT_EQ(maker.exitCode(), 0) << maker.readAllStandardError().toStdString();
}

QStringList readBack(const QStringList& arguments)
{
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"), QStringList { script() } + arguments);
    reader.waitForFinished(120000);
    return QString::fromUtf8(reader.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList paragraphTexts(const QString& path)
{
    return readBack({ QStringLiteral("--text"), path });
}

int occurrences(const QString& path, const QString& text)
{
    return readBack({ QStringLiteral("--count"), path, text }).value(0).toInt();
}

std::string repeated(const std::string& text, int times)
{
    std::string all;
    all.reserve(text.size() * std::size_t(times));
    for (int i = 0; i < times; ++i)
        all += text;
    return all;
}

std::string paragraph(const std::string& text)
{
    return "<w:p><w:r><w:t>" + text + "</w:t></w:r></w:p>";
}

const std::string Mark = "&lt;#v#&gt;";

// Every entry of a folder, hidden ones included, sorted and joined by spaces.
std::string entries(const QString& folder)
{
    return QDir(folder)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name)
        .join(QLatin1Char(' '))
        .toStdString();
}

// Writes the document to `output`, its folder taken as a private one.
void saveAs(WordDocument& document, const QString& output)
{
    const QFileInfo file(output);
    document.save(platform::outside::PrivateFolder(file.absolutePath()), file.fileName());
}

// Fills `copies` copies of the template, every mark replaced by "值", and writes the document; tells how
// many marks and passes were visited.
std::string fill(const QString& templatePath, const QString& output, int copies, const ZipLimits& limits = {})
{
    auto document = WordDocument::open(templatePath, limits);
    int marks = 0;
    int passes = 0;
    for (int copy = 1;; ++copy) {
        document.visitLastCopy(
            QStringLiteral("<#"), QStringLiteral("#>"),
            [&](const QString&) -> std::optional<QString> {
                ++marks;
                return QStringLiteral("值");
            },
            [&] { ++passes; });
        if (copy == copies)
            break;
        document.appendCopy();
    }
    saveAs(document, output);
    return "marks " + std::to_string(marks) + " passes " + std::to_string(passes);
}

TEST(WordDocumentMarks, ReadFromLeftToRightAcrossRuns)
{
    struct Case {
        std::vector<std::string> runs;
        const char* expected;
    };
    const Case cases[] = {
        { { "a&lt;#x#&gt;b" }, "a[x]b" },
        { { "a&lt;", "#x", "#", "&gt;b" }, "a[x]b" }, // one mark over four runs
        { { "&lt;#x#&gt;&lt;#y#&gt;" }, "[x][y]" }, { { "&lt;#  #&gt;z" }, "<#  #>z" }, // blank: passed over
        { { "&lt;#a&lt;#b#&gt;" }, "<#a[b]" }, // holds an opening marker: the inner one is the mark
        { { "&lt;#keep#&gt;&lt;#y", "#&gt;" }, "<#keep#>[y]" }, // the visitor leaves it
        { { "&lt;#again#&gt;!" }, "<#x#>!" }, // a replacement is never searched again
        { { "&lt;#a&lt;#&gt;" }, "[a<]" }, // an opening marker that overlaps the closing one
    };
    std::string body;
    for (const Case& c : cases) {
        body += "<w:p>";
        for (const std::string& run : c.runs)
            body += "<w:r><w:t>" + run + "</w:t></w:r>";
        body += "</w:p>";
    }
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("marks.docx"));
    makeDocx(source, body);
    auto document = WordDocument::open(source);
    document.visitLastCopy(
        QStringLiteral("<#"), QStringLiteral("#>"),
        [](const QString& content) -> std::optional<QString> {
            if (content == QLatin1String("keep"))
                return std::nullopt;
            if (content == QLatin1String("again"))
                return QStringLiteral("<#x#>");
            return QLatin1Char('[') + content + QLatin1Char(']');
        },
        [] {});
    const QString filled = folder.filePath(QStringLiteral("filled.docx"));
    saveAs(document, filled);
    const QStringList texts = paragraphTexts(filled);
    ASSERT_EQ(texts.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(texts[qsizetype(i)], QString::fromUtf8(cases[i].expected)) << "case " << i;
    EXPECT_EQ(std::filesystem::status(filled.toStdString()).permissions(),
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

// Hostile templates: each gives a document or a refusal naming the template, within 1 GB and 30 s of
// processor time (20,000 marks in one paragraph: 1 s), in a child process that a crash cannot take the
// tests down with.
TEST(WordDocumentHostile, GiveADocumentOrARefusalWithinBudget)
{
    constexpr int Deep = 100000;
    struct Case {
        const char* name;
        std::string body;
        QStringList options;
        ZipLimits limits;
        int cpuSeconds;
        int copies;
        const char* expected; // what fill() tells, or a part of the refusal
        int values; // "值" in the document written; 0 for a refusal
        long long memoryBytes = 1024 * MB; // beyond what the test holds
    };
    const std::string sample = paragraph(Mark);
    // Parts of 1.4 MB that do not deflate, each declaring the inflated size given: below 200:1, a
    // declaration is refused by the size limits alone, else its lie is found on inflating. The template's
    // other parts take less than 64 KB.
    const auto declaring = [](std::initializer_list<qint64> sizes) {
        QStringList options;
        for (const qint64 size : sizes) {
            const QString name = QStringLiteral("word/media/%1.bin").arg(options.size() / 4);
            options << QStringLiteral("--random") << name + QStringLiteral(":1400000")
                    << QStringLiteral("--declare") << name + QLatin1Char(':') + QString::number(size);
        }
        return options;
    };
    const ZipLimits lowered { 64 * 1024, 200, 1024 * MB };
    // Markup repeated this often deflates like a bomb and is refused as one; let through, it is filled.
    const ZipLimits unbounded { 256 * MB, 200, 256 * MB };
    const ZipLimits tenParts { .parts = 10 };
    const Case cases[] = {
        { "nested runs",
            "<w:p>" + repeated("<w:r>", Deep) + "<w:t>" + Mark + "</w:t>" + repeated("</w:r>", Deep)
                + "</w:p>",
            {}, unbounded, 30, 2, "marks 2 passes 2", 2 },
        { "nested tables",
            repeated("<w:tbl><w:tr><w:tc>", Deep) + sample + repeated("</w:tc></w:tr></w:tbl>", Deep), {},
            unbounded, 30, 2, "marks 2 passes 2", 2 },
        { "nested text boxes",
            repeated("<w:p><w:r><w:t>" + Mark + "</w:t></w:r><w:r><w:pict><w:txbxContent>", Deep)
                + repeated("</w:txbxContent></w:pict></w:r></w:p>", Deep),
            {}, unbounded, 30, 2, "marks 200000 passes 200002", 2 * Deep },
        { "20,000 marks in one paragraph",
            "<w:p>" + repeated("<w:r><w:t>&lt;#</w:t></w:r><w:r><w:t>v#&gt; </w:t></w:r>", 20000) + "</w:p>",
            {}, unbounded, 1, 1, "marks 20000 passes 1", 20000 },
        { "declared 4 GB", sample, { "--declare", "word/document.xml:4000000000" }, {}, 30, 1,
            "的部件“word/document.xml”解压后超过256 MB", 0 },
        { "part past 256 MB", sample, declaring({ 256 * MB + 1 }), {}, 30, 1, "解压后超过256 MB", 0 },
        { "part of 256 MB", sample, declaring({ 256 * MB }), {}, 30, 1, "已损坏", 0 },
        { "parts past 1 GB", sample, declaring({ 200 * MB, 200 * MB, 200 * MB, 200 * MB, 224 * MB }), {}, 30,
            1, "的部件合计解压后超过1024 MB", 0 },
        { "parts within 1 GB", sample,
            declaring({ 200 * MB, 200 * MB, 200 * MB, 200 * MB, 224 * MB - 64 * 1024 }), {}, 30, 1, "已损坏",
            0 },
        { "inflates past its declaration", sample,
            { "--zeros", "word/media/zeros.bin:2000000", "--declare", "word/media/zeros.bin:1000" }, {}, 30,
            1, "的长度与登记的不符", 0 },
        // The body part holds 64 MB of blanks: read past its declaration, it would not fit in 16 MB.
        { "body inflates past its declaration", sample,
            { "--padded", "64000000", "--declare", "word/document.xml:1000" }, {}, 30, 1,
            "的长度与登记的不符", 0, 16 * MB },
        { "parts sharing compressed bytes", sample,
            { "--random", "word/media/a.bin:100000", "--alias", "word/media/b.bin:word/media/a.bin" }, {}, 30,
            1, "登记的压缩长度超出模板文件", 0 },
        { "parts past the bound", sample, { "--parts", "9998:0" }, {}, 1, 1, "登记了10001个部件，超过10000个",
            0 },
        { "declares parts past the bound", sample, { "--count", "60000" }, {}, 1, 1, "登记了60000个部件", 0 },
        { "declares parts past the bound, fewer on this disk", sample, { "--count", "3:60000" }, {}, 1, 1,
            "登记了60000个部件", 0 },
        { "declares parts past the bound, a false end record in the comment", sample,
            { "--count", "60000", "--false-end", "3" }, {}, 1, 1, "登记了60000个部件", 0 },
        { "64-bit end record declares parts past the bound, fewer on this disk", sample,
            { "--zip64", "3:60000" }, {}, 1, 1, "登记了60000个部件", 0 },
        { "parts at the bound, 64-bit end record", sample, { "--zip64", "1", "--parts", "7:0" }, tenParts, 30,
            1, "marks 1 passes 1", 1 },
        { "compressed size past the template", sample, { "--compressed", "word/document.xml:100000000" }, {},
            30, 1, "登记的压缩长度超出模板文件", 0 },
        { "compressed size past the end", sample, { "--entry", "x.txt", "--compressed", "x.txt:303" }, {}, 30,
            1, "压缩数据短于登记的长度", 0 },
        { "many small bombs", sample, { "--parts", "300:100000" }, {}, 30, 1, "的部件合计压缩比超过200:1",
            0 },
        { "small bombs within a megabyte", sample, { "--parts", "10:100000" }, {}, 30, 1, "marks 1 passes 1",
            1 },
        { "ratio bomb", sample, { "--zeros", "word/media/zeros.bin:2000000" }, {}, 30, 1, "压缩炸弹", 0 },
        { "part past the limit", sample, { "--random", "word/media/big.bin:100000" }, lowered, 30, 1,
            "解压后超过0.0625 MB", 0 },
        { "parent name", sample, { "--entry", "../../evil.txt" }, {}, 30, 1, "指向文档之外", 0 },
        { "absolute name", sample, { "--entry", "/etc/evil" }, {}, 30, 1, "指向文档之外", 0 },
        { "backslash parent", sample, { "--entry", "word\\..\\..\\evil" }, {}, 30, 1, "指向文档之外", 0 },
        { "drive name", sample, { "--entry", "C:/evil" }, {}, 30, 1, "指向文档之外", 0 },
        { "no XML", "<w:p><w:r>", {}, {}, 30, 1, "不是可读的Word文档", 0 },
        { "name twice", sample, { "--entry", "word/document.xml" }, {}, 30, 1, "出现两次", 0 },
        { "name twice with a backslash", sample, { "--entry", "word\\document.xml" }, {}, 30, 1,
            "出现两次，又作“word\\document.xml”", 0 },
        { "name twice in capitals", sample, { "--entry", "Word/Document.XML" }, {}, 30, 1, "出现两次，又作",
            0 },
    };
    QTemporaryDir folder;
    for (const Case& c : cases) {
        const QString source = folder.filePath(QStringLiteral("模板.docx"));
        const QString output = folder.filePath(QStringLiteral("filled.docx"));
        QFile::remove(output);
        makeDocx(source, c.body, c.options);
        const auto run = orvtest::runLimited(
            c.memoryBytes, c.cpuSeconds, [&] { return fill(source, output, c.copies, c.limits); });
        ASSERT_TRUE(run.finished) << c.name << ": ended by signal " << run.signal;
        const QString told = QString::fromStdString(run.output);
        if (c.values > 0) {
            EXPECT_EQ(run.output, c.expected) << c.name;
            EXPECT_EQ(occurrences(output, QStringLiteral("值")), c.values) << c.name;
            continue;
        }
        EXPECT_TRUE(told.contains(QString::fromUtf8(c.expected))) << c.name << ": " << run.output;
        EXPECT_TRUE(told.contains(source) && told.endsWith(QStringLiteral("！")))
            << c.name << ": " << run.output;
        EXPECT_FALSE(QFile::exists(output)) << c.name;
    }
}

// A filled document holds the body read from its descriptor and the template's other parts; a part that
// cannot be added fails the document, which is then not written.
TEST(TemplateZipWriting, EveryPartOrNoDocument)
{
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("t.docx"));
    makeDocx(source, paragraph("旧"));
    platform::outside::TemplateZip zip(source, "word/document.xml", {});
    std::string body = zip.takeKeptPart();
    body.replace(body.find("旧"), std::strlen("旧"), "新");
    QTemporaryFile bodyFile;
    ASSERT_TRUE(bodyFile.open() && bodyFile.write(body.data(), qint64(body.size())) == qint64(body.size())
        && bodyFile.flush());
    struct Case {
        const char* name;
        int descriptor;
        QStringList texts; // none: refused
    };
    const Case cases[] = {
        { "body readable", bodyFile.handle(), { QStringLiteral("新") } },
        { "body unreadable", -1, {} },
    };
    const QString output = folder.filePath(QStringLiteral("filled.docx"));
    for (const Case& c : cases) {
        QString told;
        try {
            zip.writeFilled(
                platform::outside::PrivateFolder(folder.path()), QStringLiteral("filled.docx"), c.descriptor);
        } catch (const platform::Error& error) {
            told = error.description();
        }
        EXPECT_EQ(QFile::exists(output), !c.texts.isEmpty()) << c.name << ": " << told.toStdString();
        EXPECT_EQ(paragraphTexts(output), c.texts) << c.name;
        EXPECT_EQ(told.isEmpty(), !c.texts.isEmpty()) << c.name << ": " << told.toStdString();
        EXPECT_TRUE(told.isEmpty() || told.contains(output)) << c.name << ": " << told.toStdString();
        QFile::remove(output);
    }
}

// A template of a 1 MB body filled 100 times stays within 40 times its body: the copies are not kept.
TEST(WordDocumentMemory, DoesNotGrowWithTheCopies)
{
    std::mt19937 random(7);
    std::string body;
    while (body.size() < 1 * MB) {
        std::string words;
        for (int i = 0; i < 1000; ++i)
            words += char('a' + random() % 26);
        body += paragraph(words + Mark);
    }
    QTemporaryDir folder;
    const QString source = folder.filePath(QStringLiteral("big.docx"));
    const QString output = folder.filePath(QStringLiteral("filled.docx"));
    makeDocx(source, body);
    const int marks = int(body.size() / paragraph(std::string(1000, 'a') + Mark).size());
    const auto run = orvtest::runLimited(40 * MB, 60, [&] { return fill(source, output, 100); });
    ASSERT_TRUE(run.finished) << run.signal;
    EXPECT_EQ(run.output, "marks " + std::to_string(100 * marks) + " passes 100");
    EXPECT_EQ(occurrences(output, QStringLiteral(R"(<w:br w:type="page"/>)")), 99);
}

// A disk that fills up while the copies are put aside, or while the document is written, leaves no
// document and is told with the system's reason (the limit stands for a full disk as "File too large").
TEST(WordDocumentWriting, AFullDiskLeavesNoDocumentAndSaysWhy)
{
    struct Case {
        const char* name;
        int marks;
        QStringList options;
        const char* failing; // the file named in the message
    };
    const Case cases[] = {
        { "copies", 2000, {}, "临时文件" },
        { "document", 1, { "--random", "word/media/noise.bin:300000" }, "filled.docx" },
    };
    for (const Case& c : cases) {
        QTemporaryDir folder;
        const QString source = folder.filePath(QStringLiteral("t.docx"));
        makeDocx(source, repeated(paragraph(Mark), c.marks), c.options);
        const QString output = folder.filePath(QStringLiteral("out/filled.docx"));
        QDir().mkpath(folder.filePath(QStringLiteral("out")));
        try {
            orvtest::FileSizeLimit disk(100000);
            fill(source, output, 20);
            ADD_FAILURE() << c.name << ": written";
        } catch (const platform::Error& error) {
            EXPECT_TRUE(error.description().contains(QString::fromUtf8(c.failing))
                && error.description().endsWith(qt_error_string(EFBIG)))
                << c.name << ": " << error.description().toStdString();
        }
        EXPECT_EQ(entries(folder.filePath(QStringLiteral("out"))), "") << c.name;
    }
}

// Another user who swaps the folder's name for a link to a folder of theirs while documents are written
// receives nothing: every document lies in the folder that was checked, its owner's alone.
TEST(WordDocumentWriting, AFolderSwappedForALinkRedirectsNothing)
{
    QTemporaryDir scratch;
    const QString source = scratch.filePath(QStringLiteral("t.docx"));
    makeDocx(source, paragraph(Mark));
    const QString folder = scratch.filePath(QStringLiteral("private"));
    const QString elsewhere = scratch.filePath(QStringLiteral("elsewhere"));
    const QString link = scratch.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QDir().mkpath(folder) && QDir().mkpath(elsewhere) && QFile::link(elsewhere, link));
    const QByteArray folderName = QFile::encodeName(folder);
    const QByteArray linkName = QFile::encodeName(link);
    const auto exchange = [&] {
        return ::renameat2(AT_FDCWD, folderName.constData(), AT_FDCWD, linkName.constData(), RENAME_EXCHANGE)
            == 0;
    };
    if (!exchange())
        GTEST_SKIP() << "this file system cannot exchange names";
    ASSERT_TRUE(exchange());

    std::atomic<bool> done = false;
    std::atomic<int> swaps = 0;
    std::thread swapper([&] {
        while (!done)
            swaps += exchange() ? 1 : 0;
    });
    QStringList written;
    for (int run = 0; run < 200; ++run) {
        const QString name = QStringLiteral("%1.docx").arg(run);
        try {
            auto document = WordDocument::open(source);
            document.save(platform::outside::PrivateFolder(folder), name);
            written.append(name);
        } catch (const platform::Error&) {
            // refused: the name was the link when the folder was checked
        }
    }
    done = true;
    swapper.join();
    if (swaps % 2 != 0)
        ASSERT_TRUE(exchange());

    EXPECT_GT(swaps, 20);
    EXPECT_FALSE(written.isEmpty());
    EXPECT_EQ(entries(elsewhere), "");
    written.sort();
    EXPECT_EQ(entries(folder), written.join(QLatin1Char(' ')).toStdString());
    for (const QString& name : written)
        EXPECT_EQ(std::filesystem::status(QDir(folder).filePath(name).toStdString()).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write)
            << name.toStdString();
}

} // namespace

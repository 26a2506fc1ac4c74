#include "platform/outside/WordDocument.h"

#include "platform/Error.h"
#include "platform/outside/ProgramStarter.h"

#include <algorithm>
#include <cstring>
#include <pugixml.hpp>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <sstream>
#include <zip.h>

namespace platform::outside
{

namespace
{

const QString Source = QStringLiteral("WordDocument");
const char* const BodyPart = "word/document.xml";

[[noreturn]] void fail(const QString& description)
{
    throw Error(errors::FileError, Source, description);
}

bool named(const pugi::xml_node& node, const char* name)
{
    return std::strcmp(node.name(), name) == 0;
}

// One part of a paragraph's text: a text node of one of its runs.
struct TextPiece {
    pugi::xml_node node;
    QString text;
};

// The text nodes of a paragraph in reading order; text boxes anchored in it are paragraphs of their own.
void collectPieces(const pugi::xml_node& node, std::vector<TextPiece>& pieces)
{
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (named(child, "w:txbxContent"))
            continue;
        if (named(child, "w:t"))
            pieces.push_back({ child, QString::fromUtf8(child.text().get()) });
        else
            collectPieces(child, pieces);
    }
}

// Paragraphs below `node` in reading order, the body's apart from those of each text box.
void collectParagraphs(const pugi::xml_node& node, std::vector<pugi::xml_node>& body,
    std::vector<std::vector<pugi::xml_node>>& textBoxes)
{
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (named(child, "w:txbxContent")) {
            textBoxes.emplace_back();
            std::vector<std::vector<pugi::xml_node>> nested;
            collectParagraphs(child, textBoxes.back(), nested);
            for (auto& box : nested)
                textBoxes.push_back(std::move(box));
            continue;
        }
        if (named(child, "w:p"))
            body.push_back(child);
        collectParagraphs(child, body, textBoxes);
    }
}

void setPieceText(TextPiece& piece, const QString& text)
{
    piece.text = text;
    piece.node.text().set(text.toUtf8().constData());
    if (!piece.node.attribute("xml:space"))
        piece.node.append_attribute("xml:space") = "preserve";
}

// Replaces characters [from, to) of the paragraph text made of `pieces` by `replacement`.
void replaceRange(std::vector<TextPiece>& pieces, qsizetype from, qsizetype to, const QString& replacement)
{
    qsizetype start = 0;
    bool placed = false;
    for (TextPiece& piece : pieces) {
        const qsizetype end = start + piece.text.size();
        if (!placed && from < end) {
            const qsizetype cut = from - start;
            const QString tail = to < end ? piece.text.mid(to - start) : QString();
            setPieceText(piece, piece.text.left(cut) + replacement + tail);
            placed = true;
        } else if (placed && start < to) {
            setPieceText(piece, to < end ? piece.text.mid(to - start) : QString());
        }
        start = end;
        if (start >= to && placed)
            break;
    }
}

QString joined(const std::vector<TextPiece>& pieces)
{
    QString text;
    for (const TextPiece& piece : pieces)
        text += piece.text;
    return text;
}

void visitParagraph(const pugi::xml_node& paragraph, const QString& open, const QString& close,
    const WordDocument::MarkVisitor& visitor)
{
    std::vector<TextPiece> pieces;
    collectPieces(paragraph, pieces);
    QString text = joined(pieces);
    qsizetype from = 0;
    for (;;) {
        const qsizetype begin = text.indexOf(open, from);
        if (begin < 0)
            return;
        const qsizetype end = text.indexOf(close, begin + open.size());
        if (end < 0)
            fail(QStringLiteral("报表模板中的“%1”没有对应的“%2”：%3").arg(open, close, text.mid(begin)));
        const QString content = text.mid(begin + open.size(), end - begin - open.size());
        if (content.trimmed().isEmpty() || content.contains(open)) {
            from = begin + open.size();
            continue;
        }
        const std::optional<QString> replacement = visitor(content);
        if (!replacement) {
            from = end + close.size();
            continue;
        }
        replaceRange(pieces, begin, end + close.size(), *replacement);
        text = joined(pieces);
        from = begin + replacement->size();
    }
}

pugi::xml_node pageBreakParagraph(pugi::xml_node body, pugi::xml_node before)
{
    pugi::xml_node paragraph = before ? body.insert_child_before("w:p", before) : body.append_child("w:p");
    paragraph.append_child("w:r").append_child("w:br").append_attribute("w:type") = "page";
    return paragraph;
}

struct ZipEntry {
    std::string name;
    std::string data;
};

std::vector<ZipEntry> readZip(const QString& path)
{
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!archive)
        fail(QStringLiteral("文件 %1 不是可读的 Word 文档").arg(path));
    std::vector<ZipEntry> entries;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_file_t* file = nullptr;
        if (zip_stat_index(archive, i, 0, &stat) == 0)
            file = zip_fopen_index(archive, i, 0);
        if (!file) {
            zip_discard(archive);
            fail(QStringLiteral("文件 %1 已损坏").arg(path));
        }
        ZipEntry entry { stat.name, std::string(stat.size, '\0') };
        const zip_int64_t read = zip_fread(file, entry.data.data(), stat.size);
        zip_fclose(file);
        if (read != static_cast<zip_int64_t>(stat.size)) {
            zip_discard(archive);
            fail(QStringLiteral("文件 %1 已损坏").arg(path));
        }
        entries.push_back(std::move(entry));
    }
    zip_discard(archive);
    return entries;
}

} // namespace

struct WordDocument::Parts {
    std::vector<ZipEntry> entries;
    pugi::xml_document document;
    pugi::xml_document templateBody; // the template's body nodes, copied for every further copy
    pugi::xml_node body;
    pugi::xml_node sectionProperties; // the body's closing section properties, kept last
    std::vector<pugi::xml_node> lastCopy; // top-level nodes of the last copy
    int copies = 1;
};

WordDocument::WordDocument(std::unique_ptr<Parts> parts)
    : parts_(std::move(parts))
{
}
WordDocument::~WordDocument() = default;
WordDocument::WordDocument(WordDocument&&) noexcept = default;
WordDocument& WordDocument::operator=(WordDocument&&) noexcept = default;

WordDocument WordDocument::open(const QString& path)
{
    auto parts = std::make_unique<Parts>();
    parts->entries = readZip(path);
    auto bodyPart = std::find_if(
        parts->entries.begin(), parts->entries.end(), [](const ZipEntry& e) { return e.name == BodyPart; });
    if (bodyPart == parts->entries.end()
        || !parts->document.load_buffer(bodyPart->data.data(), bodyPart->data.size(),
            pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_declaration))
        fail(QStringLiteral("文件 %1 不是可读的 Word 文档").arg(path));
    parts->body = parts->document.child("w:document").child("w:body");
    if (!parts->body)
        fail(QStringLiteral("文件 %1 不是可读的 Word 文档").arg(path));
    const pugi::xml_node last = parts->body.last_child();
    if (named(last, "w:sectPr"))
        parts->sectionProperties = last;
    for (pugi::xml_node node = parts->body.first_child(); node && node != parts->sectionProperties;
         node = node.next_sibling()) {
        parts->templateBody.append_copy(node);
        parts->lastCopy.push_back(node);
    }
    return WordDocument(std::move(parts));
}

int WordDocument::copyCount() const
{
    return parts_->copies;
}

void WordDocument::appendCopy()
{
    Parts& parts = *parts_;
    pageBreakParagraph(parts.body, parts.sectionProperties);
    parts.lastCopy.clear();
    for (pugi::xml_node node = parts.templateBody.first_child(); node; node = node.next_sibling()) {
        parts.lastCopy.push_back(parts.sectionProperties
                ? parts.body.insert_copy_before(node, parts.sectionProperties)
                : parts.body.append_copy(node));
    }
    ++parts.copies;
}

void WordDocument::visitLastCopy(const QString& open, const QString& close, const MarkVisitor& visitor,
    const std::function<void()>& passStarts)
{
    std::vector<pugi::xml_node> body;
    std::vector<std::vector<pugi::xml_node>> textBoxes;
    for (const pugi::xml_node& node : parts_->lastCopy) {
        if (named(node, "w:p"))
            body.push_back(node);
        collectParagraphs(node, body, textBoxes);
    }
    passStarts();
    for (const pugi::xml_node& paragraph : body)
        visitParagraph(paragraph, open, close, visitor);
    for (const auto& box : textBoxes) {
        passStarts();
        for (const pugi::xml_node& paragraph : box)
            visitParagraph(paragraph, open, close, visitor);
    }
}

void WordDocument::save(const QString& path) const
{
    std::ostringstream xml;
    parts_->document.save(xml, "", pugi::format_raw, pugi::encoding_utf8);
    const std::string bodyXml = xml.str();

    // libzip writes into a temporary file beside the target and renames it when the archive is whole.
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        fail(QStringLiteral("不能创建文件 %1").arg(path));
    for (const ZipEntry& entry : parts_->entries) {
        const std::string& data = entry.name == BodyPart ? bodyXml : entry.data;
        zip_source_t* source = zip_source_buffer(archive, data.data(), data.size(), 0);
        if (!source || zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
            if (source)
                zip_source_free(source);
            zip_discard(archive);
            fail(QStringLiteral("不能写入文件 %1").arg(path));
        }
    }
    if (zip_close(archive) != 0) {
        const QString cause = QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        fail(QStringLiteral("不能写入文件 %1：%2").arg(path, cause));
    }
}

QString convertToDocx(const QString& docPath, const QString& outFolder)
{
    const QString office = findProgram({ QStringLiteral("soffice"), QStringLiteral("libreoffice") });
    if (office.isEmpty())
        throw Error(NoConverterError, Source, QStringLiteral("没有安装能转换 .doc 文档的办公软件"));
    // A profile of its own, so that an office window the user has open does not take the job over.
    QTemporaryDir profile;
    const QStringList arguments { QStringLiteral("-env:UserInstallation=")
            + QUrl::fromLocalFile(profile.path()).toString(),
        QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"),
        QStringLiteral("docx"), QStringLiteral("--outdir"), outFolder, docPath };
    const ProgramRun run = ShellAndWait(office, arguments, 180000);
    const QString converted
        = QDir(outFolder).filePath(QFileInfo(docPath).completeBaseName() + QStringLiteral(".docx"));
    if (!run.ended || run.exitCode != 0 || !QFileInfo::exists(converted))
        fail(QStringLiteral("不能把 %1 转换为 .docx：%2")
                 .arg(docPath, run.failure.isEmpty() ? QStringLiteral("转换程序出错") : run.failure));
    return converted;
}

} // namespace platform::outside

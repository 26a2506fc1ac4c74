#include "platform/outside/WordDocument.h"

#include "platform/Error.h"
#include "platform/outside/ProgramStarter.h"
#include "platform/outside/WordParagraphs.h"
#include "platform/ui/TemporaryFolder.h"

#include <cerrno>
#include <cstring>
#include <pugixml.hpp>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QUrl>
#include <QUuid>
#include <tuple>

namespace platform::outside
{

namespace
{

const std::string BodyPart = "word/document.xml";
const std::string PageBreak = R"(<w:p><w:r><w:br w:type="page"/></w:r></w:p>)";
constexpr unsigned BodyParsing = pugi::parse_default | pugi::parse_ws_pcdata;

// pugixml's output into the file of the body part, the failure kept for the caller to check. A write
// that a full disk cuts short leaves the file without a reason of its own ("Unknown error"), so the
// system's error number is taken right after the failing call.
class FileWriter : public pugi::xml_writer
{
public:
    explicit FileWriter(QFile& file)
        : file_(file)
    {
    }
    void write(const void* data, std::size_t size) override
    {
        attempt([&] { return file_.write(static_cast<const char*>(data), qint64(size)) == qint64(size); });
    }
    void write(const std::string& text) { write(text.data(), text.size()); }
    void flush()
    {
        attempt([&] { return file_.flush(); });
    }
    void check() const
    {
        if (failed_)
            failWordDocument(
                QStringLiteral("不能写入临时文件 %1：%2")
                    .arg(file_.fileName(),
                        systemError_ != 0 ? qt_error_string(systemError_) : file_.errorString()));
    }

private:
    template <class Step> void attempt(Step&& step)
    {
        if (failed_)
            return;
        errno = 0;
        failed_ = !step();
        systemError_ = errno;
    }

    QFile& file_;
    bool failed_ = false;
    int systemError_ = 0;
};

class StringWriter : public pugi::xml_writer
{
public:
    std::string text;
    void write(const void* data, std::size_t size) override
    {
        text.append(static_cast<const char*>(data), size);
    }
};

// A copy of `node` without its children, appended to `parent`.
pugi::xml_node appendShallowCopy(pugi::xml_node parent, const pugi::xml_node& node)
{
    pugi::xml_node copy = parent.append_child(node.type());
    copy.set_name(node.name());
    for (const pugi::xml_attribute& attribute : node.attributes())
        copy.append_copy(attribute);
    return copy;
}

// The body part's text before and after the copies: the whole part without the body's own nodes, its
// closing section properties kept last. It is built as a new tree rather than by removing the nodes,
// because pugixml frees a removed subtree recursively and a deeply nested one would overflow the stack.
std::pair<std::string, std::string> textAround(
    const pugi::xml_document& document, const pugi::xml_node& body, const pugi::xml_node& sectionProperties)
{
    const pugi::xml_node root = body.parent();
    const std::string mark = "orv-" + QUuid::createUuid().toString(QUuid::Id128).toStdString();
    pugi::xml_document frame;
    for (const pugi::xml_node& top : document.children()) {
        if (top != root) {
            frame.append_copy(top);
            continue;
        }
        pugi::xml_node frameRoot = appendShallowCopy(frame, root);
        for (const pugi::xml_node& child : root.children()) {
            if (child != body) {
                frameRoot.append_copy(child);
                continue;
            }
            pugi::xml_node frameBody = appendShallowCopy(frameRoot, body);
            frameBody.append_child(pugi::node_pi).set_name(mark.c_str());
            if (sectionProperties)
                frameBody.append_copy(sectionProperties);
        }
    }
    StringWriter whole;
    frame.save(whole, "", pugi::format_raw, pugi::encoding_utf8);
    const std::string markText = "<?" + mark + "?>";
    const std::size_t at = whole.text.find(markText);
    return { whole.text.substr(0, at), whole.text.substr(at + markText.size()) };
}

} // namespace

struct WordDocument::Parts {
    std::unique_ptr<TemplateZip> zip;
    std::string templateBody; // the template's body nodes as text, read again for every copy
    std::string tail; // the body part after the last copy: the closing section properties and end tags
    pugi::xml_document copy; // the copy being filled
    // the body part so far: its head and the finished copies
    QTemporaryFile bodyPart { ui::temporaryNameTemplate(QStringLiteral("OrvReport-body")) };
    int copies = 1;

    void startCopy()
    {
        if (!copy.load_buffer(templateBody.data(), templateBody.size(), BodyParsing | pugi::parse_fragment,
                pugi::encoding_utf8))
            failWordDocument(unreadableTemplateText(zip->path()));
    }
    void writeCopy(FileWriter& writer)
    {
        copy.save(writer, "", pugi::format_raw | pugi::format_no_declaration);
    }
};

WordDocument::WordDocument(std::unique_ptr<Parts> parts)
    : parts_(std::move(parts))
{
}
WordDocument::~WordDocument() = default;
WordDocument::WordDocument(WordDocument&&) noexcept = default;
WordDocument& WordDocument::operator=(WordDocument&&) noexcept = default;

WordDocument WordDocument::open(const QString& path, const ZipLimits& limits)
{
    auto parts = std::make_unique<Parts>();
    parts->zip = std::make_unique<TemplateZip>(path, BodyPart, limits);
    std::string head;
    {
        pugi::xml_document document;
        std::string xml = parts->zip->takeKeptPart();
        if (!document.load_buffer_inplace(xml.data(), xml.size(), BodyParsing | pugi::parse_declaration))
            failWordDocument(unreadableTemplateText(path));
        pugi::xml_node body = document.child("w:document").child("w:body");
        if (!body)
            failWordDocument(unreadableTemplateText(path));
        pugi::xml_node sectionProperties = body.last_child();
        if (std::strcmp(sectionProperties.name(), "w:sectPr") != 0)
            sectionProperties = {};
        StringWriter templateBody;
        for (pugi::xml_node node = body.first_child(); node != sectionProperties; node = node.next_sibling())
            node.print(templateBody, "", pugi::format_raw, pugi::encoding_utf8);
        parts->templateBody = std::move(templateBody.text);
        std::tie(head, parts->tail) = textAround(document, body, sectionProperties);
    }
    parts->startCopy();
    if (!parts->bodyPart.open())
        failWordDocument(QStringLiteral("不能创建临时文件：%1").arg(parts->bodyPart.errorString()));
    FileWriter writer(parts->bodyPart);
    writer.write(head);
    writer.check();
    return WordDocument(std::move(parts));
}

int WordDocument::copyCount() const
{
    return parts_->copies;
}

void WordDocument::appendCopy()
{
    FileWriter writer(parts_->bodyPart);
    parts_->writeCopy(writer);
    writer.write(PageBreak);
    writer.check();
    parts_->startCopy();
    ++parts_->copies;
}

void WordDocument::visitLastCopy(const QString& open, const QString& close, const MarkVisitor& visitor,
    const std::function<void()>& passStarts)
{
    for (std::vector<Paragraph>& pass : collectPasses(parts_->copy)) {
        passStarts();
        for (Paragraph& paragraph : pass)
            replaceMarks(paragraph, open, close, visitor, parts_->zip->path());
    }
}

void WordDocument::save(const PrivateFolder& folder, const QString& name)
{
    FileWriter writer(parts_->bodyPart);
    parts_->writeCopy(writer);
    writer.write(parts_->tail);
    writer.flush();
    writer.check();
    parts_->zip->writeFilled(folder, name, parts_->bodyPart.handle());
}

QString convertDocument(const QString& path, const QString& format, const QString& outFolder)
{
    const QString office = findProgram({ QStringLiteral("soffice"), QStringLiteral("libreoffice") });
    if (office.isEmpty())
        throw Error(NoConverterError, QStringLiteral("WordDocument"),
            QStringLiteral("没有安装能转换 .doc 文档的办公软件"));
    const auto fail = [&](const QString& why) {
        failWordDocument(QStringLiteral("不能把 %1 转换为 .%2：%3").arg(path, format, why));
    };
    // A file left by an earlier conversion would pass for this one's.
    const QString converted
        = QDir(outFolder).filePath(QFileInfo(path).completeBaseName() + QLatin1Char('.') + format);
    QFile::remove(converted);
    QTemporaryDir profile(ui::temporaryNameTemplate(QStringLiteral("OrvReport-office")));
    if (!profile.isValid())
        fail(profile.errorString());
    const QStringList arguments { QStringLiteral("-env:UserInstallation=")
            + QUrl::fromLocalFile(profile.path()).toString(),
        QStringLiteral("--headless"), QStringLiteral("--norestore"), QStringLiteral("--convert-to"), format,
        QStringLiteral("--outdir"), outFolder, path };
    const ProgramRun run = ShellAndWait(office, arguments, 180000);
    if (!run.ended || run.exitCode != 0 || !QFileInfo::exists(converted))
        fail(run.failure.isEmpty() ? QStringLiteral("转换程序出错") : run.failure);
    return converted;
}

} // namespace platform::outside

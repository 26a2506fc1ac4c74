#pragma once

#include "platform/outside/TemplateZip.h"

#include <functional>
#include <memory>
#include <optional>
#include <QString>
#include <vector>

namespace platform::outside
{

class PrivateFolder;

// A word-processor document (.docx) filled copy by copy from a template: the template's body is the
// first copy, and every further copy is the template's body again after a page break. Only the copy
// being filled is held in memory; the finished ones are written out as they are made, so a document of
// any number of copies takes memory in proportion to the template's body alone. Texts marked
// with an opening and a closing marker ("<#" ... "#>") are found across the runs a word processor
// splits text into, in body paragraphs, table cells and text boxes, and can be replaced.
class WordDocument
{
public:
    // Reads a .docx file, checking its parts against `limits`. Throws platform::Error, with a message
    // naming the file, when it is no readable word-processor document or a part is damaged or past them.
    static WordDocument open(const QString& path, const ZipLimits& limits = {});
    ~WordDocument();
    WordDocument(WordDocument&&) noexcept;
    WordDocument& operator=(WordDocument&&) noexcept;

    // The copies made so far (1 after open).
    int copyCount() const;
    // Writes the last copy out and starts a new copy of the template after a page break.
    void appendCopy();

    // The text a visitor returns replaces the whole marked text, markers included; std::nullopt leaves it.
    using MarkVisitor = std::function<std::optional<QString>(const QString& content)>;

    // The marked texts of the last copy, pass by pass: first the body (tables included), then each text
    // box on its own. Markers are read from left to right in one forward pass: replaced text is never
    // searched again. A marked text that is blank or holds an opening marker of its own is passed over.
    // Throws platform::Error for an opening marker without its closing one in the same paragraph.
    void visitLastCopy(const QString& open, const QString& close, const MarkVisitor& visitor,
        const std::function<void()>& passStarts);

    // Ends the document with the last copy and writes it as the file `name` of `folder`, as a whole or
    // not at all, readable by its owner only. Throws platform::Error.
    void save(const PrivateFolder& folder, const QString& name);

private:
    struct Parts;
    explicit WordDocument(std::unique_ptr<Parts> parts);
    std::unique_ptr<Parts> parts_;
};

// Converts a document into the file type `format` (an extension the office suite writes: "docx",
// "doc", "pdf") in `outFolder`, replacing a file of that name there, with the office suite in headless
// mode, waits for it to end and returns the new file's path. Every conversion runs on a profile folder
// of its own: office processes sharing a profile hand their work to the one that holds it, or fail,
// leaving no file (conversions started together, or an office window of the user's). Throws
// platform::Error: number NoConverterError when no office suite is installed, FileError when the
// conversion fails or leaves no file.
QString convertDocument(const QString& path, const QString& format, const QString& outFolder);
inline constexpr int NoConverterError = 429;

// An older binary word-processor document (.doc) converted into a .docx file (convertDocument).
inline QString convertToDocx(const QString& docPath, const QString& outFolder)
{
    return convertDocument(docPath, QStringLiteral("docx"), outFolder);
}

} // namespace platform::outside

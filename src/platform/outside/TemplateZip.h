#pragma once

#include <QString>
#include <QtGlobal>
#include <string>
#include <vector>

struct zip;

namespace platform::outside
{

class PrivateFolder;

// What a template archive may hold. No real template comes near these; a part past them is taken for
// a zip bomb.
struct ZipLimits {
    qint64 partBytes = 256 * 1024 * 1024; // inflated size of any one part
    qint64 bombRatio = 200; // inflated size over compressed size, once a part passes ratioCheckedFrom
    qint64 ratioCheckedFrom = 1024 * 1024;
};

// A word-processor template's zip archive, read without trusting what its headers declare: every part is
// inflated in bounded pieces and checked once when it is opened (a name that stays inside the archive
// and names no other part, an inflated size within the limits and equal to the declared one); the one
// part the caller reads is kept, the others are copied over compressed as they are when a filled
// document is written. Every refusal throws platform::Error with a message naming the template.
class TemplateZip
{
public:
    TemplateZip(const QString& path, const std::string& keptPart, const ZipLimits& limits);
    ~TemplateZip();
    TemplateZip(const TemplateZip&) = delete;
    TemplateZip& operator=(const TemplateZip&) = delete;

    const QString& path() const { return path_; }
    // The kept part's bytes, handed over once; throws when the archive has no such part.
    std::string takeKeptPart();

    // Writes a new archive `name` into `folder` as a whole or not at all (writePrivateArchive): the
    // template's parts in their order, the kept part's contents read from the open file
    // `keptPartDescriptor` from its start.
    void writeFilled(const PrivateFolder& folder, const QString& name, int keptPartDescriptor) const;

private:
    void checkPart(qint64 index);

    QString path_;
    std::string keptName_;
    ZipLimits limits_;
    zip* archive_ = nullptr;
    std::vector<std::string> names_;
    std::string kept_;
    bool keptFound_ = false;
};

// The message that a template is no readable word-processor document.
QString unreadableTemplateText(const QString& path);

// Throws the failure of a Word document's reading or writing: platform::Error (FileError) from
// "WordDocument" with `description`.
[[noreturn]] void failWordDocument(const QString& description);

} // namespace platform::outside

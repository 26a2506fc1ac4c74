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
    // Inflated size over compressed size, of any one part and of all parts together, once the inflated
    // size passes ratioCheckedFrom.
    qint64 bombRatio = 200;
    qint64 ratioCheckedFrom = 1024 * 1024;
    qint64 totalBytes = 1024 * 1024 * 1024; // inflated size of all parts together
    // A Word document holds tens of parts, one with many pictures a few thousand (a part per picture).
    // Opening an archive reads its whole central directory: 10,000 parts take milliseconds and a few
    // megabytes, half a million seconds and hundreds of megabytes.
    qint64 parts = 10000;
};

// A word-processor template's zip archive, read without trusting what its headers declare. Before it is
// opened, the number of parts that its end record declares is checked against the limits; once it is
// open, the sizes its central directory declares are checked against the limits, part by part and all
// together, before anything is inflated; then every part is inflated in pieces, never past its declared
// size, and its compressed bytes are read as many as declared, so that a declaration that lies is caught
// on reading. Names must stay inside the archive and name no other part. The one part the caller reads
// is kept, the others are copied over compressed as they are when a filled document is written. Every
// refusal throws platform::Error with a message naming the template.
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
    struct Declared {
        qint64 index = 0;
        std::string name;
        qint64 inflated = 0;
        qint64 compressed = 0;
    };
    Declared declaredPart(qint64 index) const;
    void checkPart(const Declared& part);
    void checkLimits(const QString& what, qint64 inflated, qint64 compressed, qint64 limit) const;

    QString path_;
    std::string keptName_;
    ZipLimits limits_;
    zip* archive_ = nullptr;
    std::vector<std::string> names_; // in the archive's order
    std::string kept_;
    bool keptFound_ = false;
};

// The message that a template is no readable word-processor document.
QString unreadableTemplateText(const QString& path);

// Throws the failure of a Word document's reading or writing: platform::Error (FileError) from
// "WordDocument" with `description`.
[[noreturn]] void failWordDocument(const QString& description);

} // namespace platform::outside

#include "platform/outside/TemplateZip.h"

#include "platform/Error.h"
#include "platform/outside/PrivateArchive.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <QFile>
#include <set>
#include <unistd.h>
#include <zip.h>

namespace platform::outside
{

namespace
{

constexpr qint64 Piece = 64 * 1024;

QString damagedText(const QString& path, const QString& why)
{
    return QStringLiteral("报表模板%1已损坏（%2）！").arg(path, why);
}

// A name that, unpacked, would land outside the folder it is unpacked into.
bool leavesArchive(const std::string& name)
{
    QString path = QString::fromUtf8(name);
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (path.startsWith(QLatin1Char('/')) || (path.size() >= 2 && path.at(1) == QLatin1Char(':')))
        return true;
    return path.split(QLatin1Char('/')).contains(QStringLiteral(".."));
}

QString megabytes(qint64 bytes)
{
    return QStringLiteral("%1 MB").arg(double(bytes) / (1024 * 1024), 0, 'g', 4);
}

} // namespace

QString unreadableTemplateText(const QString& path)
{
    return QStringLiteral("报表模板%1不是可读的Word文档！").arg(path);
}

void failWordDocument(const QString& description)
{
    throw Error(errors::FileError, QStringLiteral("WordDocument"), description);
}

TemplateZip::TemplateZip(const QString& path, const std::string& keptPart, const ZipLimits& limits)
    : path_(path)
    , keptName_(keptPart)
    , limits_(limits)
{
    int error = 0;
    archive_ = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!archive_)
        failWordDocument(unreadableTemplateText(path));
    try {
        const zip_int64_t count = zip_get_num_entries(archive_, 0);
        std::set<std::string> seen;
        for (zip_int64_t index = 0; index < count; ++index) {
            checkPart(index);
            if (!seen.insert(names_.back()).second)
                failWordDocument(damagedText(
                    path, QStringLiteral("部件“%1”出现两次").arg(QString::fromUtf8(names_.back()))));
        }
    } catch (...) {
        zip_discard(archive_);
        throw;
    }
}

TemplateZip::~TemplateZip()
{
    zip_discard(archive_);
}

void TemplateZip::checkPart(qint64 index)
{
    zip_stat_t stat;
    if (zip_stat_index(archive_, index, 0, &stat) != 0 || !stat.name || !*stat.name)
        failWordDocument(damagedText(path_, QStringLiteral("第%1个部件读不出").arg(index + 1)));
    const std::string name = stat.name;
    const QString shownName = QString::fromUtf8(name);
    names_.push_back(name);
    if (leavesArchive(name))
        failWordDocument(damagedText(path_, QStringLiteral("部件名“%1”指向文档之外").arg(shownName)));

    zip_file_t* file = zip_fopen_index(archive_, index, 0);
    if (!file)
        failWordDocument(damagedText(path_, QStringLiteral("部件“%1”读不出").arg(shownName)));
    const bool keep = name == keptName_;
    const qint64 compressed = (stat.valid & ZIP_STAT_COMP_SIZE) ? qint64(stat.comp_size) : 0;
    qint64 inflated = 0;
    std::array<char, Piece> piece;
    QString refusal;
    for (;;) {
        const zip_int64_t read = zip_fread(file, piece.data(), piece.size());
        if (read < 0)
            refusal = damagedText(path_, QStringLiteral("部件“%1”读不出").arg(shownName));
        if (read <= 0)
            break;
        inflated += read;
        if (inflated > limits_.partBytes) {
            refusal = QStringLiteral("报表模板%1的部件“%2”解压后超过%3，不予处理！")
                          .arg(path_, shownName, megabytes(limits_.partBytes));
            break;
        }
        if (inflated > limits_.ratioCheckedFrom
            && inflated > std::max<qint64>(compressed, 1) * limits_.bombRatio) {
            refusal = QStringLiteral("报表模板%1的部件“%2”压缩比超过%3:1，疑为压缩炸弹，不予处理！")
                          .arg(path_, shownName)
                          .arg(limits_.bombRatio);
            break;
        }
        if (keep)
            kept_.append(piece.data(), std::size_t(read));
    }
    zip_fclose(file);
    if (refusal.isEmpty() && (stat.valid & ZIP_STAT_SIZE) && inflated != qint64(stat.size))
        refusal = damagedText(path_, QStringLiteral("部件“%1”的长度与登记的不符").arg(shownName));
    if (!refusal.isEmpty()) {
        kept_.clear();
        failWordDocument(refusal);
    }
    keptFound_ = keptFound_ || keep;
}

std::string TemplateZip::takeKeptPart()
{
    if (!keptFound_)
        failWordDocument(unreadableTemplateText(path_));
    keptFound_ = false;
    return std::move(kept_);
}

namespace
{

// A source reading the open file `descriptor` from its start through a descriptor of its own: the
// file's name lies in a folder that others may write to, so it is not opened again by its name.
zip_source_t* descriptorSource(zip_t* archive, int descriptor)
{
    const int copy = ::dup(descriptor);
    FILE* file = copy >= 0 && ::lseek(copy, 0, SEEK_SET) == 0 ? ::fdopen(copy, "rb") : nullptr;
    if (!file) {
        if (copy >= 0)
            ::close(copy);
        return nullptr;
    }
    zip_source_t* source = zip_source_filep(archive, file, 0, -1);
    if (!source)
        std::fclose(file);
    return source;
}

} // namespace

void TemplateZip::writeFilled(const PrivateFolder& folder, const QString& name, int keptPartDescriptor) const
{
    writePrivateArchive(folder, name, [&](zip_t* filled) {
        for (std::size_t index = 0; index < names_.size(); ++index) {
            const std::string& part = names_[index];
            zip_source_t* source = part == keptName_ ? descriptorSource(filled, keptPartDescriptor)
                                                     : zip_source_zip(filled, archive_, index, 0, 0, -1);
            if (!source || zip_file_add(filled, part.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
                if (source)
                    zip_source_free(source);
                return false;
            }
        }
        return true;
    });
}

} // namespace platform::outside

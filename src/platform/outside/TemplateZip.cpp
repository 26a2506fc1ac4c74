#include "platform/outside/TemplateZip.h"

#include "platform/Error.h"
#include "platform/outside/PrivateArchive.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <limits>
#include <map>
#include <QFile>
#include <QtEndian>
#include <string_view>
#include <sys/stat.h>
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

// A part name as Word compares it: `\` read as `/`, and case-blind. Folding ASCII letters suffices: the
// package format compares part names as ASCII text, any other character in them being percent-encoded.
std::string comparedName(std::string name)
{
    for (char& c : name) {
        if (c == '\\')
            c = '/';
        else if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return name;
}

// Reads part `index` (as stored with ZIP_FL_COMPRESSED, else inflated) in pieces handed to `take`,
// stopping once more than `most` bytes came; the bytes read, or -1 when the part cannot be read.
qint64 readPart(zip_t* archive, qint64 index, zip_flags_t flags, qint64 most,
    const std::function<void(const char*, qint64)>& take)
{
    zip_file_t* file = zip_fopen_index(archive, zip_uint64_t(index), flags);
    if (!file)
        return -1;
    std::array<char, Piece> piece;
    qint64 total = 0;
    for (;;) {
        const zip_int64_t read = zip_fread(file, piece.data(), piece.size());
        if (read <= 0) {
            total = read < 0 ? -1 : total;
            break;
        }
        total += read;
        if (total > most)
            break;
        if (take)
            take(piece.data(), read);
    }
    zip_fclose(file);
    return total;
}

// The most parts that an end record in the archive's last 64 KB declares: every candidate a zip reader
// may take, read before the reader loads the central directory it points at. An end record that a
// 64-bit one's locator precedes declares the count of that one (its own 16 bits then hold 0xFFFF).
quint64 declaredPartCount(int descriptor, qint64 fileBytes)
{
    constexpr qint64 EndRecord = 22;
    constexpr qint64 Locator = 20; // of the 64-bit end record, just before the end record
    constexpr qint64 Record64 = 40; // the 64-bit end record up to its count of parts
    const qint64 start = std::max<qint64>(0, fileBytes - EndRecord - 0xFFFF);
    QByteArray tail(fileBytes - start, Qt::Uninitialized);
    const ssize_t read = ::pread(descriptor, tail.data(), std::size_t(tail.size()), start);
    tail.truncate(std::max<ssize_t>(read, 0));
    quint64 most = 0;
    for (qsizetype at = tail.indexOf("PK\5\6"); at >= 0 && at + EndRecord <= tail.size();
         at = tail.indexOf("PK\5\6", at + 1)) {
        quint64 count = qFromLittleEndian<quint16>(tail.constData() + at + 10);
        if (at >= Locator && tail.mid(at - Locator).startsWith("PK\6\7")) {
            const quint64 offset = qFromLittleEndian<quint64>(tail.constData() + at - Locator + 8);
            std::array<char, Record64> record;
            if (offset <= quint64(fileBytes)
                && ::pread(descriptor, record.data(), record.size(), off_t(offset)) == Record64
                && std::string_view(record.data(), 4) == "PK\6\6")
                count = qFromLittleEndian<quint64>(record.data() + 32);
        }
        most = std::max(most, count);
    }
    return most;
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
    // Read through one descriptor, so that the file counted is the file opened; a named pipe in its
    // place neither holds the opening up nor passes for a template.
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat file;
    if (descriptor < 0 || ::fstat(descriptor, &file) != 0 || !S_ISREG(file.st_mode)) {
        if (descriptor >= 0)
            ::close(descriptor);
        failWordDocument(unreadableTemplateText(path));
    }
    const qint64 fileBytes = file.st_size;
    const auto checkCount = [&](quint64 count) {
        if (count > quint64(limits_.parts))
            failWordDocument(QStringLiteral("报表模板%1登记了%2个部件，超过%3个，不予处理！")
                                 .arg(path, QString::number(count), QString::number(limits_.parts)));
    };
    int error = 0;
    try {
        checkCount(declaredPartCount(descriptor, fileBytes));
        archive_ = zip_fdopen(descriptor, 0, &error);
    } catch (...) {
        ::close(descriptor);
        throw;
    }
    if (!archive_) {
        ::close(descriptor);
        failWordDocument(unreadableTemplateText(path));
    }
    try {
        const zip_int64_t count = zip_get_num_entries(archive_, 0);
        checkCount(quint64(count));
        std::vector<Declared> parts;
        std::map<std::string, std::string> seen; // a name as compared -> as written
        qint64 inflated = 0;
        qint64 compressed = 0;
        for (zip_int64_t index = 0; index < count; ++index) {
            const Declared& part = parts.emplace_back(declaredPart(index));
            const QString shownName = QString::fromUtf8(part.name);
            names_.push_back(part.name);
            const auto [first, fresh] = seen.emplace(comparedName(part.name), part.name);
            if (!fresh) {
                QString twice = QStringLiteral("部件“%1”出现两次").arg(QString::fromUtf8(first->second));
                if (first->second != part.name)
                    twice += QStringLiteral("，又作“%1”").arg(shownName);
                failWordDocument(damagedText(path, twice));
            }
            // The parts' compressed bytes lie apart in the file: together they cannot outgrow it.
            if (part.compressed > fileBytes - compressed)
                failWordDocument(
                    damagedText(path, QStringLiteral("部件“%1”登记的压缩长度超出模板文件").arg(shownName)));
            compressed += part.compressed;
            checkLimits(QStringLiteral("的部件“%1”").arg(shownName), part.inflated, part.compressed,
                limits_.partBytes);
            inflated += part.inflated;
        }
        checkLimits(QStringLiteral("的部件合计"), inflated, compressed, limits_.totalBytes);
        for (const Declared& part : parts)
            checkPart(part);
    } catch (...) {
        zip_discard(archive_);
        throw;
    }
}

TemplateZip::~TemplateZip()
{
    zip_discard(archive_);
}

TemplateZip::Declared TemplateZip::declaredPart(qint64 index) const
{
    zip_stat_t stat;
    constexpr zip_uint64_t Sizes = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE;
    if (zip_stat_index(archive_, index, 0, &stat) != 0 || !stat.name || !*stat.name
        || (stat.valid & Sizes) != Sizes)
        failWordDocument(damagedText(path_, QStringLiteral("第%1个部件读不出").arg(index + 1)));
    if (leavesArchive(stat.name))
        failWordDocument(
            damagedText(path_, QStringLiteral("部件名“%1”指向文档之外").arg(QString::fromUtf8(stat.name))));
    constexpr zip_uint64_t Most = std::numeric_limits<qint64>::max();
    return { index, stat.name, qint64(std::min(stat.size, Most)), qint64(std::min(stat.comp_size, Most)) };
}

void TemplateZip::checkLimits(const QString& what, qint64 inflated, qint64 compressed, qint64 limit) const
{
    if (inflated > limit)
        failWordDocument(
            QStringLiteral("报表模板%1%2解压后超过%3，不予处理！").arg(path_, what, megabytes(limit)));
    if (inflated > limits_.ratioCheckedFrom && inflated > std::max<qint64>(compressed, 1) * limits_.bombRatio)
        failWordDocument(QStringLiteral("报表模板%1%2压缩比超过%3:1，疑为压缩炸弹，不予处理！")
                             .arg(path_, what, QString::number(limits_.bombRatio)));
}

void TemplateZip::checkPart(const Declared& part)
{
    const QString shownName = QString::fromUtf8(part.name);
    // A filled document copies the part's compressed bytes as many as declared: they must all be there.
    if (readPart(archive_, part.index, ZIP_FL_COMPRESSED, part.compressed, {}) != part.compressed)
        failWordDocument(
            damagedText(path_, QStringLiteral("部件“%1”的压缩数据短于登记的长度").arg(shownName)));
    const bool keep = part.name == keptName_;
    const qint64 inflated
        = readPart(archive_, part.index, 0, part.inflated, [&](const char* data, qint64 size) {
              if (keep)
                  kept_.append(data, std::size_t(size));
          });
    if (inflated != part.inflated) {
        kept_.clear();
        failWordDocument(damagedText(path_,
            (inflated < 0 ? QStringLiteral("部件“%1”读不出") : QStringLiteral("部件“%1”的长度与登记的不符"))
                .arg(shownName)));
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
// file's name lies in a folder that others may write to, so it is not opened again by its name. When
// there is none, the archive's error tells why.
zip_source_t* descriptorSource(zip_t* archive, int descriptor)
{
    const int copy = ::dup(descriptor);
    FILE* file = copy >= 0 && ::lseek(copy, 0, SEEK_SET) == 0 ? ::fdopen(copy, "rb") : nullptr;
    if (!file) {
        zip_error_set(zip_get_error(archive), ZIP_ER_READ, errno);
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

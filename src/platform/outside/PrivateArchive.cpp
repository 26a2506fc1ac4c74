#include "platform/outside/PrivateArchive.h"

#include "platform/Error.h"
#include "platform/outside/PrivateFolder.h"

#include <cerrno>
#include <exception>
#include <optional>
#include <QDir>
#include <unistd.h>
#include <zip.h>

namespace platform::outside
{

namespace
{

// The file libzip writes an archive into, as a libzip source: a new file, so there is nothing to read
// and libzip starts an empty archive; the PrivateFile is made when libzip begins to write and kept when
// it commits. A step that fails keeps its exception for the caller, since none may pass through libzip.
class Target
{
public:
    Target(const PrivateFolder& folder, const QString& name)
        : folder_(folder)
        , name_(name)
    {
        zip_error_init(&error_);
    }
    ~Target() { zip_error_fini(&error_); }

    static zip_int64_t call(void* self, void* data, zip_uint64_t length, zip_source_cmd_t command)
    {
        return static_cast<Target*>(self)->run(data, length, command);
    }

    void rethrowFailure() const
    {
        if (failure_)
            std::rethrow_exception(failure_);
    }

private:
    zip_int64_t run(void* data, zip_uint64_t length, zip_source_cmd_t command)
    {
        try {
            return step(data, length, command);
        } catch (...) {
            failure_ = std::current_exception();
            zip_error_set(&error_, ZIP_ER_WRITE, 0);
            return -1;
        }
    }

    // The position of a write, failing like a write.
    zip_int64_t seek(zip_int64_t offset, int whence)
    {
        const off_t at = ::lseek(file_->descriptor(), off_t(offset), whence);
        if (at < 0)
            file_->fail(errno);
        return at;
    }

    zip_int64_t step(void* data, zip_uint64_t length, zip_source_cmd_t command)
    {
        switch (command) {
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL,
                ZIP_SOURCE_SUPPORTS, ZIP_SOURCE_BEGIN_WRITE, ZIP_SOURCE_COMMIT_WRITE,
                ZIP_SOURCE_ROLLBACK_WRITE, ZIP_SOURCE_WRITE, ZIP_SOURCE_SEEK_WRITE, ZIP_SOURCE_TELL_WRITE,
                ZIP_SOURCE_REMOVE, -1);
        case ZIP_SOURCE_STAT: // not there yet: libzip starts a new archive
            zip_error_set(&error_, ZIP_ER_READ, ENOENT);
            return -1;
        case ZIP_SOURCE_BEGIN_WRITE:
            file_.emplace(folder_, name_);
            return 0;
        case ZIP_SOURCE_WRITE:
            file_->write(static_cast<const char*>(data), qint64(length));
            return zip_int64_t(length);
        case ZIP_SOURCE_SEEK_WRITE: {
            const auto* args = ZIP_SOURCE_GET_ARGS(zip_source_args_seek_t, data, length, &error_);
            if (!args)
                return -1;
            seek(args->offset, args->whence);
            return 0;
        }
        case ZIP_SOURCE_TELL_WRITE:
            return seek(0, SEEK_CUR);
        case ZIP_SOURCE_COMMIT_WRITE:
            file_->keep();
            file_.reset();
            return 0;
        case ZIP_SOURCE_ROLLBACK_WRITE:
            file_.reset();
            return 0;
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&error_, data, length);
        case ZIP_SOURCE_REMOVE:
        case ZIP_SOURCE_FREE:
            return 0;
        default:
            zip_error_set(&error_, ZIP_ER_OPNOTSUPP, 0);
            return -1;
        }
    }

    const PrivateFolder& folder_;
    QString name_;
    std::optional<PrivateFile> file_;
    zip_error_t error_;
    std::exception_ptr failure_;
};

} // namespace

void writePrivateArchive(
    const PrivateFolder& folder, const QString& name, const std::function<bool(zip_t* archive)>& addParts)
{
    const QString path = QDir::toNativeSeparators(QDir(folder.path()).filePath(name));
    const auto fail = [&](const QString& why) {
        throw Error(errors::FileError, QStringLiteral("PrivateFolder"),
            QStringLiteral("不能写入文件 %1：%2").arg(path, why));
    };
    Target target(folder, name);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_function_create(&Target::call, &target, &error);
    zip_t* archive = source ? zip_open_from_source(source, ZIP_CREATE | ZIP_TRUNCATE, &error) : nullptr;
    if (!archive) {
        if (source)
            zip_source_free(source);
        const QString why = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        fail(why);
    }
    zip_error_fini(&error);
    try {
        if (!addParts(archive))
            fail(QString::fromUtf8(zip_strerror(archive)));
    } catch (...) {
        zip_discard(archive);
        throw;
    }
    if (zip_close(archive) != 0) {
        const QString why = QString::fromUtf8(zip_strerror(archive));
        zip_discard(archive);
        target.rethrowFailure();
        fail(why);
    }
}

} // namespace platform::outside

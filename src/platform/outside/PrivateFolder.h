#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace platform::outside
{

// A folder that only the current user can enter (rights 0700), checked and written into through one
// descriptor held from the check on. In a temporary folder that others may write to, another user may
// swap the folder's name for a link at any moment; files are made relative to the descriptor, so such
// a swap after the check redirects nothing.
class PrivateFolder
{
public:
    // Opens `path`, creating it and the folders above it when missing. It must be a real folder (no
    // link) of this user; rights beyond 0700 are narrowed. Throws platform::Error (FileError) naming
    // the folder otherwise, and when it cannot be made.
    explicit PrivateFolder(const QString& path);
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    const QString& path() const { return path_; }
    int descriptor() const { return descriptor_; }

private:
    QString path_;
    int descriptor_ = -1;
};

// A new file of a private folder, written under a temporary name of its own and readable and
// writable by its owner only from its first byte on. It takes its name only when kept, and is
// removed when let go before. Every failure throws platform::Error (FileError) naming the file and
// giving the system's reason (a full disk: "No space left on device").
class PrivateFile
{
public:
    PrivateFile(const PrivateFolder& folder, const QString& name);
    ~PrivateFile();
    PrivateFile(const PrivateFile&) = delete;
    PrivateFile& operator=(const PrivateFile&) = delete;

    // The path the file has once kept.
    const QString& path() const { return path_; }
    int descriptor() const { return descriptor_; }

    // Writes every byte at the current position.
    void write(const char* data, qint64 size);
    // Makes what was written last on the disk and gives the file its name, replacing a file of that
    // name.
    void keep();

    // Throws the failure of a step on the file, with the reason the system gives for `systemError`.
    [[noreturn]] void fail(int systemError) const;

private:
    void discard();

    const PrivateFolder& folder_;
    QString path_;
    QByteArray name_;
    QByteArray temporaryName_;
    int descriptor_ = -1;
};

} // namespace platform::outside

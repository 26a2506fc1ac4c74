#include "platform/Error.h"
#include "platform/outside/TemporaryFolder.h"
#include "support/SavedEnvironment.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <unistd.h>

namespace fs = std::filesystem;
using platform::outside::handOverFolder;
using platform::outside::temporaryFolder;

namespace
{

TEST(TemporaryFolder, OnlyAFullPathInTmpdirIsTaken)
{
    const orvtest::SavedEnvironment saved { "TMPDIR" };
    qunsetenv("TMPDIR");
    EXPECT_EQ(temporaryFolder(), QStringLiteral("/tmp"));
    const std::pair<const char*, const char*> cases[]
        = { { "", "/tmp" }, { "relative/tmp", "/tmp" }, { ".", "/tmp" }, { "/srv/tmp/", "/srv/tmp" } };
    for (const auto& [value, expected] : cases) {
        qputenv("TMPDIR", value);
        EXPECT_EQ(temporaryFolder(), QString::fromUtf8(expected)) << value;
    }
}

// Files handed over by path go where no other account can rename or replace a folder on the way: the
// runtime folder when it is the user's alone, else the temporary folder unless others may write to it
// (or to a folder above it) without the sticky bit.
TEST(TemporaryFolder, HandedOverFilesLieWhereNoOtherAccountCanSwapThem)
{
    const orvtest::SavedEnvironment savedTemp { "TMPDIR" };
    const orvtest::SavedEnvironment savedRuntime { "XDG_RUNTIME_DIR" };
    QTemporaryDir scratch;
    const fs::path root = QFileInfo(scratch.path()).canonicalFilePath().toStdString();
    const std::pair<const char*, unsigned> modes[] = { { "sticky", 01777 }, { "open", 0777 },
        { "open/below", 0755 }, { "runtime", 0700 }, { "runtime-wide", 0755 }, { "runtime-others", 0700 } };
    for (const auto& [name, mode] : modes) {
        fs::create_directory(root / name);
        fs::permissions(root / name, fs::perms(mode));
    }
    ASSERT_EQ(::chown((root / "runtime-others").c_str(), 65534, 65534), 0);
    fs::create_directory_symlink(root / "runtime", root / "runtime-link");

    struct Case {
        const char* temporary;
        const char* runtime;
        const char* expected; // below the scratch folder; empty: refused, naming the temporary folder
    };
    const QString own = QStringLiteral("OrvReport-%1").arg(::geteuid());
    const Case cases[] = {
        { "open", "runtime", "runtime/OrvReport" },
        { "sticky", "runtime-wide", "sticky/" },
        { "sticky", "runtime-others", "sticky/" },
        { "sticky", "runtime-link", "sticky/" },
        { "sticky", "", "sticky/" },
        { "open", "", "" },
        { "open/below", "", "" },
    };
    for (const Case& c : cases) {
        const QString temporary = QString::fromStdString((root / c.temporary).string());
        qputenv("TMPDIR", QFile::encodeName(temporary));
        qputenv("XDG_RUNTIME_DIR",
            *c.runtime ? QByteArray::fromStdString((root / c.runtime).string()) : QByteArray());
        const std::string what = std::string(c.temporary) + ", runtime " + c.runtime;
        try {
            QString expected = QString::fromStdString((root / c.expected).string());
            if (expected.endsWith(QLatin1Char('/')))
                expected += own;
            EXPECT_EQ(handOverFolder(), expected) << what;
            EXPECT_TRUE(*c.expected) << what << ": taken";
        } catch (const platform::Error& error) {
            EXPECT_TRUE(!*c.expected && error.description().contains(temporary))
                << what << ": " << error.description().toStdString();
        }
    }
}

} // namespace

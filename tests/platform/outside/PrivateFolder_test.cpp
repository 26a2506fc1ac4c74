#include "platform/Error.h"
#include "platform/outside/PrivateFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

constexpr uid_t NobodyId = 65534;

// A folder is made or narrowed to its owner, never taken through a link, in place of another file or
// from another account (the tests run as root, which could enter and narrow any folder).
TEST(PrivateFolder, MadeOrNarrowedToItsOwnerAndNeverThroughALink)
{
    QTemporaryDir scratch;
    const fs::path root = scratch.path().toStdString();
    for (const char* name : { "open", "shared", "elsewhere", "others" })
        fs::create_directory(root / name);
    fs::permissions(root / "others", fs::perms(0777));
    ASSERT_EQ(::chown((root / "others").c_str(), NobodyId, NobodyId), 0);
    fs::permissions(root / "open", fs::perms(0755));
    fs::permissions(root / "shared", fs::perms(01777));
    fs::permissions(root / "elsewhere", fs::perms(0755));
    fs::create_directory_symlink(root / "elsewhere", root / "link");
    std::ofstream(root / "file") << "x";

    struct Case {
        const char* name;
        bool accepted;
    };
    const Case cases[] = { { "new/below", true }, { "open", true }, { "shared", true }, { "link", false },
        { "file", false }, { "others", false } };
    for (const Case& c : cases) {
        const QString folder = QString::fromStdString((root / c.name).string());
        if (!c.accepted) {
            try {
                platform::outside::PrivateFolder refused(folder);
                ADD_FAILURE() << c.name << " taken";
            } catch (const platform::Error& error) {
                EXPECT_TRUE(error.description().contains(folder)) << error.description().toStdString();
            }
            continue;
        }
        const platform::outside::PrivateFolder taken(folder);
        EXPECT_EQ(fs::symlink_status(folder.toStdString()).permissions(), fs::perms::owner_all) << c.name;
    }
    EXPECT_EQ(fs::status(root / "elsewhere").permissions(), fs::perms(0755))
        << "a link's target is left alone";
    EXPECT_EQ(fs::status(root / "others").permissions(), fs::perms(0777)) << "another's folder is left alone";
}

} // namespace

#include "platform/Error.h"
#include "platform/outside/PrivateFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace fs = std::filesystem;

namespace
{

// A folder is made or narrowed to its owner, never taken through a link or in place of another file.
TEST(PrivateFolder, MadeOrNarrowedToItsOwnerAndNeverThroughALink)
{
    QTemporaryDir scratch;
    const fs::path root = scratch.path().toStdString();
    for (const char* name : { "open", "shared", "elsewhere" })
        fs::create_directory(root / name);
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
        { "file", false } };
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
}

} // namespace

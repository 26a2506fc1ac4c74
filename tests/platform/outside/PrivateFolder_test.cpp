#include "platform/Error.h"
#include "platform/outside/PrivateFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <QTemporaryDir>

namespace fs = std::filesystem;

namespace
{

TEST(PrivateFolder, MadeOrNarrowedToItsOwnerAndNeverThroughALink)
{
    QTemporaryDir scratch;
    const fs::path root = scratch.path().toStdString();
    fs::create_directory(root / "open");
    fs::permissions(root / "open", fs::perms(0755));
    fs::create_directory(root / "elsewhere");
    fs::permissions(root / "elsewhere", fs::perms(0755));
    fs::create_directory_symlink(root / "elsewhere", root / "link");
    std::ofstream(root / "file") << "x";

    struct Case {
        const char* name;
        bool accepted;
    };
    const Case cases[] = { { "new/below", true }, { "open", true }, { "link", false }, { "file", false } };
    for (const Case& c : cases) {
        const fs::path folder = root / c.name;
        if (!c.accepted) {
            EXPECT_THROW(platform::outside::makePrivateFolder(QString::fromStdString(folder.string())),
                platform::Error)
                << c.name;
            continue;
        }
        platform::outside::makePrivateFolder(QString::fromStdString(folder.string()));
        EXPECT_EQ(fs::symlink_status(folder).permissions(), fs::perms::owner_all) << c.name;
    }
    EXPECT_EQ(fs::status(root / "elsewhere").permissions(), fs::perms(0755))
        << "a link's target is left alone";
}

} // namespace

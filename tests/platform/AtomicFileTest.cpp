#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "platform/AtomicFile.h"
#include "support/FileContents.h"
#include "support/TempDir.h"

using namespace zentro;
using zentro::test::ReadFile;
namespace fs = std::filesystem;

namespace {

void Put(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

} // namespace

TEST(AtomicFile, LinksAreFollowedAndReadOnlyFilesRefused)
{
    struct Case {
        const char* name;
        // Builds the situation in `dir`; returns the path written.
        std::string (*prepare)(const std::string& dir);
        int error;           // 0: the write succeeds
        const char* written; // the file that must hold the new content (or the old one)
        bool linkKept;       // the path written is still a link afterwards
    };
    const Case cases[] = {
        {"plain file",
         [](const std::string& d) {
             Put(d + "/f", "old");
             return d + "/f";
         },
         0, "f", false},
        {"relative link into a sub-folder",
         [](const std::string& d) {
             fs::create_directory(d + "/sub");
             Put(d + "/sub/t", "old");
             fs::create_symlink("sub/t", d + "/f");
             return d + "/f";
         },
         0, "sub/t", true},
        {"chain of two links",
         [](const std::string& d) {
             Put(d + "/t", "old");
             fs::create_symlink("t", d + "/m");
             fs::create_symlink(d + "/m", d + "/f");
             return d + "/f";
         },
         0, "t", true},
        {"dangling link creates its target",
         [](const std::string& d) {
             fs::create_symlink("t", d + "/f");
             return d + "/f";
         },
         0, "t", true},
        {"read-only file",
         [](const std::string& d) {
             Put(d + "/f", "old");
             fs::permissions(d + "/f", fs::perms::owner_read | fs::perms::group_read);
             return d + "/f";
         },
         EACCES, "f", false},
        {"link to a read-only file",
         [](const std::string& d) {
             Put(d + "/t", "old");
             fs::permissions(d + "/t", fs::perms::owner_read);
             fs::create_symlink("t", d + "/f");
             return d + "/f";
         },
         EACCES, "t", true},
        {"link loop",
         [](const std::string& d) {
             fs::create_symlink("b", d + "/a");
             fs::create_symlink("a", d + "/b");
             return d + "/a";
         },
         ELOOP, nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::CTempDir dir("atomic");
        const std::string path = c.prepare(dir.Path());
        int error = -1;
        const bool ok = WriteFileAtomically(path, "new", 3, &error);
        EXPECT_EQ(ok, c.error == 0);
        EXPECT_EQ(error, c.error);
        if (c.written) {
            EXPECT_EQ(ReadFile(dir.Path(c.written)), c.error == 0 ? "new" : "old");
        }
        EXPECT_EQ(fs::is_symlink(path), c.linkKept);
        size_t entries = 0;
        for (auto it = fs::recursive_directory_iterator(dir.Path()); it != fs::end(it); ++it)
            entries += it->path().filename().string().find(".tmp-") != std::string::npos;
        EXPECT_EQ(entries, 0u) << "temporary file left behind";
    }
}

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileStatus.h"
#include "support/TempDir.h"

using namespace zentro;

namespace {

class FileStatusTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_dir.Path().empty());
        std::ofstream(Path("file")) << "12345";
        ASSERT_EQ(::mkdir(Path("folder").c_str(), 0700), 0);
        ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
        ASSERT_EQ(::symlink("file", Path("to-file").c_str()), 0);
        ASSERT_EQ(::symlink("folder", Path("to-folder").c_str()), 0);
        ASSERT_EQ(::symlink("nowhere", Path("dangling").c_str()), 0);
        ASSERT_EQ(::symlink("loop", Path("loop").c_str()), 0);
    }
    std::string Path(const std::string& name) const { return m_dir.Path(name); }

    test::CTempDir m_dir{"file-status"};
};

TEST_F(FileStatusTest, TellsWhatIsAtAPathWithAndWithoutFollowingLinks)
{
    struct Case {
        const char* name; // below the temporary folder; "" for the empty path itself
        FileKind followed;
        FileKind unfollowed;
        int error; // of the followed look
    };
    const Case cases[] = {
        {"file", FileKind::Regular, FileKind::Regular, 0},
        {"folder", FileKind::Directory, FileKind::Directory, 0},
        {"pipe", FileKind::Other, FileKind::Other, 0},
        {"to-file", FileKind::Regular, FileKind::SymbolicLink, 0},
        {"to-folder", FileKind::Directory, FileKind::SymbolicLink, 0},
        {"dangling", FileKind::Missing, FileKind::SymbolicLink, ENOENT},
        {"loop", FileKind::Unreadable, FileKind::SymbolicLink, ELOOP},
        {"missing", FileKind::Missing, FileKind::Missing, ENOENT},
        {"file/below-a-file", FileKind::Unreadable, FileKind::Unreadable, ENOTDIR},
        {"", FileKind::Missing, FileKind::Missing, ENOENT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = *c.name ? Path(c.name) : std::string();
        const FileStatus followed = StatusOf(path);
        EXPECT_EQ(followed.kind, c.followed);
        EXPECT_EQ(followed.error, c.error);
        EXPECT_EQ(LinkStatusOf(path).kind, c.unfollowed);
        EXPECT_EQ(FileExists(path), followed.Exists());
        EXPECT_EQ(FileExists(path), c.error == 0);
        EXPECT_EQ(IsRegularFile(path), c.followed == FileKind::Regular);
        EXPECT_EQ(IsDirectory(path), c.followed == FileKind::Directory);
    }
}

TEST_F(FileStatusTest, StampChangesWithTheFile)
{
    const FileStatus before = StatusOf(Path("file"));
    EXPECT_EQ(before.size, 5);
    EXPECT_NE(before.inode, 0u);
    EXPECT_GT(before.modifiedNs, 0);
    // A new file put in its place is told apart even within the same clock tick.
    std::ofstream(Path("new")) << "1234567";
    ASSERT_EQ(::rename(Path("new").c_str(), Path("file").c_str()), 0);
    const FileStatus after = StatusOf(Path("file"));
    EXPECT_EQ(after.size, 7);
    EXPECT_NE(after.inode, before.inode);
}

TEST_F(FileStatusTest, ReadsLinkTargetsOfAnyLength)
{
    const std::string longTarget = std::string(300, 'x') + "/" + std::string(200, 'y');
    ASSERT_EQ(::symlink(longTarget.c_str(), Path("long").c_str()), 0);
    const struct {
        const char* name;
        bool read;
        std::string target;
        int error;
    } cases[] = {
        {"to-file", true, "file", 0},   {"dangling", true, "nowhere", 0},
        {"long", true, longTarget, 0},  {"file", false, "", EINVAL},
        {"missing", false, "", ENOENT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string target;
        int error = 0;
        EXPECT_EQ(ReadSymbolicLink(Path(c.name), target, &error), c.read);
        EXPECT_EQ(target, c.target);
        EXPECT_EQ(error, c.error);
    }
}

TEST_F(FileStatusTest, ReadAccessNeverWaitsAndSaysWhyNot)
{
    ASSERT_EQ(::chmod(Path("file").c_str(), 0644), 0);
    std::ofstream(Path("locked")) << "x";
    ASSERT_EQ(::chmod(Path("locked").c_str(), 0), 0);
    EXPECT_EQ(ReadAccessError(Path("file")), 0);
    EXPECT_EQ(ReadAccessError(Path("to-file")), 0);
    EXPECT_EQ(ReadAccessError(Path("pipe")), 0); // no writer: a blocking open would hang here
    EXPECT_EQ(ReadAccessError(Path("missing")), ENOENT);
    if (::geteuid() != 0) { // root may read anything
        EXPECT_EQ(ReadAccessError(Path("locked")), EACCES);
    }

    ASSERT_EQ(::chmod(Path("file").c_str(), 0755), 0);
    EXPECT_TRUE(IsExecutable(Path("file")));
    EXPECT_FALSE(IsExecutable(Path("missing")));
    if (::geteuid() != 0) {
        EXPECT_FALSE(IsExecutable(Path("locked")));
    }
}

} // namespace

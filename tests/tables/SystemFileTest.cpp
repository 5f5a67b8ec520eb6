// The system file under the table engine, the same on POSIX and Windows: the lock keeps a second
// opening out, reads stop at the end, a write far out fills the gap with zeros.
#include "SystemFile.h"
#include "TableTestUtil.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace nubra {
namespace {

TEST(SystemFile, LockKeepsASecondOpeningOutUntilTheFirstCloses) {
    test::TempDir dir;
    const std::string path = dir / "T.tbl";
    SystemFile first, second;
    EXPECT_EQ(first.Open(path, SystemFile::Mode::ReadWrite), SystemFile::Opened::Missing);
    ASSERT_EQ(first.Open(path, SystemFile::Mode::CreateReadWrite), SystemFile::Opened::Ok);
    ASSERT_TRUE(first.TryLock());
    ASSERT_EQ(second.Open(path, SystemFile::Mode::ReadWrite), SystemFile::Opened::Ok);
    EXPECT_FALSE(second.TryLock());
    second.Close();
    first.Close();
    ASSERT_EQ(second.Open(path, SystemFile::Mode::ReadWrite), SystemFile::Opened::Ok);
    EXPECT_TRUE(second.TryLock());
}

TEST(SystemFile, PositionedWritesReadsAndTruncation) {
    test::TempDir dir;
    const std::string path = dir / "T.tbl";
    SystemFile f;
    ASSERT_EQ(f.Open(path, SystemFile::Mode::CreateReadWrite), SystemFile::Opened::Ok);
    EXPECT_EQ(f.WriteAt(6, "abc", 3), 3);
    EXPECT_EQ(f.Size(), 9);
    char got[16] = {};
    EXPECT_EQ(f.ReadAt(0, got, sizeof got), 9);
    EXPECT_EQ(std::string(got, 9), std::string("\0\0\0\0\0\0abc", 9));
    EXPECT_EQ(f.ReadAt(9, got, 4), 0);
    EXPECT_TRUE(f.Truncate(7));
    EXPECT_EQ(f.Size(), 7);
    f.Close();
    EXPECT_TRUE(SystemFile::Remove(path));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(SystemFile::Remove(path));
}

} // namespace
} // namespace nubra

// Insert and delete move the following records in large blocks; the file must be what moving them
// one at a time gives, also for tables larger than one block.
#include "TMyTable.h"
#include "TableTestUtil.h"

#include <gtest/gtest.h>

namespace nubra {
namespace {

constexpr int kRecordSize = 100;
constexpr std::size_t kData = 88 + 36;

std::vector<std::uint8_t> RecordBytes(const std::string& text) {
    std::vector<std::uint8_t> r(kRecordSize, 0);
    std::copy(text.begin(), text.end(), r.begin());
    return r;
}

TEST(TMyTableBlocks, InsertAndDeleteInATableOverOneBlock) {
    test::TempDir dir;
    TMyTable t;
    t.SetTableName(dir / "BIG");
    t.AddField("T", FieldType::ftString, Alignment::Left, false, kRecordSize);
    t.CreateTable();
    t.Open();
    constexpr int kRecords = 15000; // 1.5 MB of records
    auto expected = test::ReadBytes(dir / "BIG.tbl");
    for (int i = 0; i < kRecords; ++i) {
        const std::string text = "R" + std::to_string(i);
        t.Append();
        t.SetField(0, text);
        t.Post();
        const auto r = RecordBytes(text);
        expected.insert(expected.end(), r.begin(), r.end());
    }
    EXPECT_EQ(test::ReadBytes(dir / "BIG.tbl"), expected);

    for (const int at : {7, 0, kRecords}) {
        t.GoToRecord(at);
        t.Insert();
        t.SetField(0, std::string("NEW") + std::to_string(at));
        ASSERT_TRUE(t.Post());
        const auto r = RecordBytes("NEW" + std::to_string(at));
        expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(kData + at * kRecordSize), r.begin(),
                        r.end());
        ASSERT_EQ(test::ReadBytes(dir / "BIG.tbl"), expected) << "insert at " << at;
        EXPECT_EQ(t.RecNo(), at);
    }
    for (const int where : {3, 0, -1}) {
        const int at = where < 0 ? t.RecordCount() - 1 : where;
        t.GoToRecord(at);
        t.Delete();
        const auto first = expected.begin() + static_cast<std::ptrdiff_t>(kData + at * kRecordSize);
        expected.erase(first, first + kRecordSize);
        ASSERT_EQ(test::ReadBytes(dir / "BIG.tbl"), expected) << "delete at " << at;
    }
    EXPECT_EQ(t.RecordCount(), kRecords);
}

} // namespace
} // namespace nubra

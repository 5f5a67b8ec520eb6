// The file layout to the byte, and the cursor rules of append, insert and delete.
#include "Cp1250.h"
#include "TMyTable.h"
#include "TableError.h"
#include "TableTestUtil.h"

#include <gtest/gtest.h>

namespace nubra {
namespace {

using test::LoadLe;
using test::ReadBytes;

void DefineGoods(TMyTable& t) {
    t.AddField("NAZWA", FieldType::ftString, Alignment::Left, true, 40);
    t.AddField("PTU", FieldType::ftString, Alignment::Center, true, 1);
    t.AddField("CENA", FieldType::ftCurrency, Alignment::Right, false, 0);
}

class GoodsTable : public ::testing::Test {
protected:
    void SetUp() override {
        table.SetTableName(dir / "TOWARY");
        DefineGoods(table);
        table.CreateTable();
        table.SetMessageHandler([this](const std::string& m) { messages.push_back(m); });
    }
    std::string File() const { return dir / "TOWARY.tbl"; }
    void Add(const std::string& name) {
        table.Append();
        table.SetField(0, name);
        table.SetField(1, std::string("A"));
        ASSERT_TRUE(table.Post());
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (int i = 0; i < table.RecordCount(); ++i)
            names.push_back(std::get<std::string>(table.PeekField(i, 0)));
        return names;
    }
    std::string Current() const { return std::get<std::string>(table.GetField(0)); }

    test::TempDir dir;
    TMyTable table;
    std::vector<std::string> messages;
};

std::vector<std::uint8_t> Definition(const std::string& name, int type, int size, int required, int align) {
    std::vector<std::uint8_t> d(36, 0);
    d[0] = static_cast<std::uint8_t>(name.size());
    std::copy(name.begin(), name.end(), d.begin() + 1);
    d[17] = static_cast<std::uint8_t>(type);
    test::StoreLe(d, 20, size, 4);
    d[24] = static_cast<std::uint8_t>(required);
    d[32] = static_cast<std::uint8_t>(align);
    return d;
}

TEST_F(GoodsTable, NewFileIsHeaderAndDefinitionsByteForByte) {
    std::vector<std::uint8_t> expected(88, 0);
    expected[0] = 3;
    expected[1] = '1', expected[2] = '.', expected[3] = '0';
    expected[17] = 34;
    const std::string description = cp1250::FromUtf8("Prosta tabela dla potrzeb własnych");
    ASSERT_EQ(description.size(), 34u);
    std::copy(description.begin(), description.end(), expected.begin() + 18);
    expected[84] = 3;
    for (const auto& d :
         {Definition("NAZWA", 3, 40, 1, 0), Definition("PTU", 3, 1, 1, 2), Definition("CENA", 2, 8, 0, 1)})
        expected.insert(expected.end(), d.begin(), d.end());

    EXPECT_EQ(ReadBytes(File()), expected);
    ASSERT_EQ(expected.size(), 196u);

    table.Open();
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_EQ(table.RecNo(), -1);
    table.Close();
    EXPECT_EQ(ReadBytes(File()), expected) << "closing rewrites the same definitions";
}

TEST_F(GoodsTable, CurrencyIsStoredTimesTenThousand) {
    table.Open();
    for (const FieldValue& v :
         {FieldValue(std::string("12,34")), FieldValue(Currency{123400}), FieldValue(12.34)}) {
        table.Append();
        table.SetField(0, std::string("X"));
        table.SetField(1, std::string("A"));
        table.SetField(2, v);
        ASSERT_TRUE(table.Post());
        EXPECT_EQ(std::get<Currency>(table.GetField(2)).scaled, 123400);
        EXPECT_EQ(ToText(table.GetField(2)), "12,34");
    }
    table.Close();
    const auto bytes = ReadBytes(File());
    ASSERT_EQ(bytes.size(), 196u + 3 * 49);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(LoadLe(bytes, 196 + r * 49 + 41, 8), 123400);
}

TEST_F(GoodsTable, StringsAreCutOrPaddedWithZeros) {
    table.Open();
    const std::string longName(45, 'Q');
    Add(longName.substr(0, 20) + std::string(25, 'R'));
    Add("ABC");
    EXPECT_EQ(Current(), "ABC");
    table.GoToRecord(0);
    EXPECT_EQ(Current(), longName.substr(0, 20) + std::string(20, 'R'));
    table.Close();

    const auto bytes = ReadBytes(File());
    const std::vector<std::uint8_t> first(bytes.begin() + 196, bytes.begin() + 196 + 40);
    EXPECT_EQ(std::string(first.begin(), first.end()), longName.substr(0, 20) + std::string(20, 'R'));
    EXPECT_EQ(bytes[196 + 40], 'A') << "the 41st character went no further than its field";
    const auto second = bytes.begin() + 196 + 49;
    EXPECT_EQ(std::string(second, second + 3), "ABC");
    EXPECT_TRUE(std::all_of(second + 3, second + 40, [](std::uint8_t b) { return b == 0; }));
}

TEST_F(GoodsTable, AppendToEmptyMakesRecordZeroCurrent) {
    table.Open();
    Add("FIRST");
    EXPECT_EQ(table.RecNo(), 0);
    EXPECT_EQ(table.RecordCount(), 1);
    EXPECT_EQ(table.State(), TableState::tsBrowse);
}

TEST_F(GoodsTable, AppendAndInsertStartFromTheCurrentRecord) {
    table.Open();
    table.Append();
    table.SetField(0, std::string("CHLEB"));
    table.SetField(1, std::string("B"));
    table.SetField(2, std::string("3,5"));
    ASSERT_TRUE(table.Post());
    table.Append();
    table.SetField(0, std::string("BULKA"));
    ASSERT_TRUE(table.Post());
    EXPECT_EQ(ToText(table.GetField(1)), "B");
    EXPECT_EQ(ToText(table.GetField(2)), "3,5");
    table.GoToRecord(0);
    table.Insert();
    table.SetField(2, std::string("1"));
    ASSERT_TRUE(table.Post());
    EXPECT_EQ(Names(), (std::vector<std::string>{"CHLEB", "CHLEB", "BULKA"}));
    EXPECT_EQ(ToText(table.PeekField(0, 2)), "1");
    EXPECT_EQ(ToText(table.PeekField(1, 2)), "3,5");
}

TEST_F(GoodsTable, InsertAtZeroMovesTheOldFirstRecordUp) {
    table.Open();
    Add("A");
    Add("B");
    table.GoToRecord(0);
    table.Insert();
    table.SetField(0, std::string("X"));
    table.SetField(1, std::string("B"));
    ASSERT_TRUE(table.Post());
    EXPECT_EQ(Names(), (std::vector<std::string>{"X", "A", "B"}));
    EXPECT_EQ(table.RecNo(), 0);
    EXPECT_EQ(Current(), "X");
    EXPECT_EQ(ReadBytes(File()).size(), 196u + 3 * 49);
}

TEST_F(GoodsTable, InsertIntoEmptyTableMakesRecordZero) {
    table.Open();
    table.Insert();
    table.SetField(0, std::string("ONLY"));
    table.SetField(1, std::string("A"));
    ASSERT_TRUE(table.Post());
    EXPECT_EQ(table.RecNo(), 0);
    EXPECT_EQ(table.RecordCount(), 1);
}

TEST_F(GoodsTable, DeleteFollowsTheCursorRules) {
    table.Open();
    for (const char* n : {"A", "B", "C", "D"})
        Add(n);
    table.GoToRecord(1);
    table.Delete();
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "C", "D"}));
    EXPECT_EQ(table.RecNo(), 1);
    EXPECT_EQ(Current(), "C");

    table.GoToRecord(2);
    table.Delete();
    EXPECT_EQ(table.RecNo(), 1) << "deleting the last record makes the new last one current";
    EXPECT_EQ(Current(), "C");

    table.Delete();
    table.Delete();
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_EQ(table.RecNo(), -1);
    EXPECT_EQ(ReadBytes(File()).size(), 196u);

    table.Delete();
    EXPECT_EQ(ReadBytes(File()).size(), 196u) << "deleting from an empty table leaves the definitions alone";
}

TEST_F(GoodsTable, EditOverwritesInPlaceAndCancelDropsChanges) {
    table.Open();
    Add("A");
    Add("B");
    table.GoToRecord(0);
    table.Edit();
    table.SetField(0, std::string("CHANGED"));
    EXPECT_TRUE(table.Cancel());
    EXPECT_EQ(Current(), "A");
    table.Edit();
    table.SetField(0, std::string("EDITED"));
    ASSERT_TRUE(table.Post());
    EXPECT_EQ(Names(), (std::vector<std::string>{"EDITED", "B"}));
    EXPECT_EQ(table.RecNo(), 0);
}

TEST_F(GoodsTable, EditOfAnEmptyTableAddsTheRecord) {
    table.Open();
    table.Edit();
    table.SetField(0, std::string("NEW"));
    table.SetField(1, std::string("A"));
    ASSERT_TRUE(table.Post());
    EXPECT_EQ(table.RecordCount(), 1);
    EXPECT_EQ(table.RecNo(), 0);
}

TEST_F(GoodsTable, MissingRequiredValueIsReportedAndStateKept) {
    table.Open();
    table.Append();
    table.SetField(0, std::string("NAME"));
    EXPECT_FALSE(table.Post());
    EXPECT_EQ(messages, std::vector<std::string>{"Dla pola 'PTU' wymagana jest wartość."});
    EXPECT_EQ(table.State(), TableState::tsAdd);
    EXPECT_EQ(table.RecordCount(), 0);
    EXPECT_EQ(ReadBytes(File()).size(), 196u);
}

TEST_F(GoodsTable, DrawingReadsDoNotMoveTheCursor) {
    table.Open();
    Add("A");
    Add("B");
    Add("C");
    table.GoToRecord(1);
    EXPECT_EQ(std::get<std::string>(table.PeekField(2, 0)), "C");
    EXPECT_EQ(ToText(table.PeekRecord(2).at(1)), "A");
    EXPECT_TRUE(table.PeekRecord(3).empty());
    EXPECT_EQ(table.RecNo(), 1);
    EXPECT_EQ(Current(), "B");
}

TEST_F(GoodsTable, ChangeHandlerRunsAfterOpenPostAndDelete) {
    int changes = 0;
    table.SetChangeHandler([&] { ++changes; });
    table.Open();
    Add("A");
    table.Delete();
    EXPECT_EQ(changes, 3);
}

TEST(TMyTableAutoInc, CountsAcrossRunsAndRefusedPostsUseANumber) {
    test::TempDir dir;
    std::vector<std::string> messages;
    auto post = [&](TMyTable& t, const std::string& name) {
        t.Append();
        t.SetField(1, name);
        return t.Post();
    };
    {
        TMyTable t;
        t.SetTableName(dir / "AUTO");
        t.AddField("ID", FieldType::ftAutoInc, Alignment::Right, false, 0);
        t.AddField("NAZWA", FieldType::ftString, Alignment::Left, true, 10);
        t.CreateTable();
        t.Open();
        ASSERT_TRUE(post(t, "ONE"));
        EXPECT_EQ(std::get<std::int32_t>(t.GetField(0)), 1);
        ASSERT_TRUE(post(t, "TWO"));
        EXPECT_EQ(std::get<std::int32_t>(t.GetField(0)), 2);
    }
    TMyTable t;
    t.SetTableName(dir / "AUTO");
    t.SetMessageHandler([&](const std::string& m) { messages.push_back(m); });
    t.Active(); // not yet open
    t.SetActive(true);
    ASSERT_TRUE(post(t, "THREE"));
    EXPECT_EQ(std::get<std::int32_t>(t.GetField(0)), 3);
    EXPECT_FALSE(post(t, ""));
    EXPECT_EQ(messages, std::vector<std::string>{"Dla pola 'NAZWA' wymagana jest wartość."});
    EXPECT_TRUE(t.Cancel());
    ASSERT_TRUE(post(t, "FIVE"));
    EXPECT_EQ(std::get<std::int32_t>(t.GetField(0)), 5);
    // The counter is in the file before the table is closed.
    EXPECT_EQ(LoadLe(ReadBytes(dir / "AUTO.tbl"), 88 + 28, 4), 5);
    EXPECT_THROW(t.SetField(0, 7), TableError);
}

TEST(TMyTableName, ExtensionIsRemovedAndExistsLooksForTbl) {
    test::TempDir dir;
    TMyTable t;
    t.SetTableName(dir / "KARTY.dat");
    EXPECT_EQ(t.TableName(), dir / "KARTY");
    EXPECT_FALSE(t.Exists());
    t.AddField("NAZWA", FieldType::ftString, Alignment::Left, true, 16);
    t.CreateTable();
    EXPECT_TRUE(t.Exists());
    EXPECT_FALSE(t.Active());
}

TEST(TMyTableRecordLimit, FullTableRefusesAppendAndInsertWithAMessage) {
    test::TempDir dir;
    TMyTable t;
    t.SetTableName(dir / "FULL");
    t.AddField("K", FieldType::ftString, Alignment::Left, false, 1);
    t.CreateTable();
    // A sparse file holding the largest record count.
    std::filesystem::resize_file(dir / "FULL.tbl", 88 + 36 + std::uintmax_t{2147483647});
    std::vector<std::string> messages;
    t.SetMessageHandler([&](const std::string& m) { messages.push_back(m); });
    t.Open();
    EXPECT_EQ(t.RecordCount(), 2147483647);
    t.Append();
    EXPECT_FALSE(t.Post());
    t.Insert();
    EXPECT_FALSE(t.Post());
    EXPECT_EQ(messages,
              (std::vector<std::string>{
                  "Nie mozna dodać rekordu, ponieważ została osiągnięta maksymalna liczba rekordów..",
                  "Nie mozna wstawić rekordu, ponieważ została osiągnięta maksymalna liczba rekordów.."}));
    t.Close();
}

} // namespace
} // namespace nubra

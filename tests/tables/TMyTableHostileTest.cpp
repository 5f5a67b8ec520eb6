// Damaged and hostile files are refused at opening with their message and never read out of bounds;
// a seeded mutation run opens and reads thousands of them.
#include "TMyTable.h"
#include "TableError.h"
#include "TableTestUtil.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace nubra {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A table of every field type with a few records, the starting point of every damaged file.
Bytes SampleTable(const test::TempDir& dir, int records) {
    TMyTable t;
    t.SetTableName(dir / "SAMPLE");
    t.AddField("ID", FieldType::ftAutoInc, Alignment::Right, false, 0);
    t.AddField("NAZWA", FieldType::ftString, Alignment::Left, true, 20);
    t.AddField("ILOSC", FieldType::ftInteger, Alignment::Right, false, 0);
    t.AddField("WAGA", FieldType::ftFloat, Alignment::Right, false, 0);
    t.AddField("CENA", FieldType::ftCurrency, Alignment::Right, false, 0);
    t.CreateTable();
    t.Open();
    for (int i = 0; i < records; ++i) {
        t.Append();
        t.SetField(1, "TOWAR " + std::to_string(i));
        t.SetField(2, i);
        t.SetField(3, i * 0.5);
        t.SetField(4, std::string("1,25"));
        t.Post();
    }
    t.Close();
    return test::ReadBytes(dir / "SAMPLE.tbl");
}

constexpr std::size_t kDefs = 88;
constexpr std::size_t kSampleData = 88 + 5 * 36; // record size 4 + 20 + 4 + 8 + 8 = 44

struct HostileCase {
    const char* name;
    std::function<void(Bytes&)> damage;
    const char* suffix; // appended to "Błąd w pliku '<name>' " or a whole message when it starts with "W"
};

void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.name;
}

class HostileFile : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileFile, IsRefusedAtOpening) {
    test::TempDir dir;
    Bytes bytes = SampleTable(dir, GetParam().name[0] == 'e' ? 0 : 2);
    GetParam().damage(bytes);
    test::WriteBytes(dir / "SAMPLE.tbl", bytes);

    TMyTable t;
    t.SetTableName(dir / "SAMPLE");
    const std::string suffix = GetParam().suffix;
    const std::string expected =
        suffix[0] == 'W' ? suffix : "Błąd w pliku '" + (dir / "SAMPLE") + "' " + suffix;
    try {
        t.Open();
        FAIL() << "opened";
    } catch (const TableError& e) {
        EXPECT_EQ(e.what(), expected);
    }
    EXPECT_FALSE(t.Active());
    EXPECT_EQ(t.FieldCount(), 0);
    // The same object opens a sound file afterwards.
    SampleTable(dir, 1);
    t.Open();
    EXPECT_EQ(t.RecordCount(), 1);
}

void SetInt(Bytes& b, std::size_t at, std::int32_t v) {
    test::StoreLe(b, at, v, 4);
}
std::size_t Def(int i, int offset) {
    return kDefs + static_cast<std::size_t>(i) * 36 + offset;
}

INSTANTIATE_TEST_SUITE_P(
    Crafted, HostileFile,
    ::testing::Values(
        HostileCase{"empty_file", [](Bytes& b) { b.clear(); }, "#1.."},
        HostileCase{"short_header", [](Bytes& b) { b.resize(87); }, "#1.."},
        HostileCase{"zero_fields", [](Bytes& b) { SetInt(b, 84, 0); }, "#3.."},
        HostileCase{"negative_fields", [](Bytes& b) { SetInt(b, 84, -1); }, "#3.."},
        HostileCase{"fields_128", [](Bytes& b) { SetInt(b, 84, 128); }, "#3.."},
        HostileCase{"fields_max", [](Bytes& b) { SetInt(b, 84, 0x7fffffff); }, "#3.."},
        HostileCase{"empty_more_fields_than_defined", [](Bytes& b) { SetInt(b, 84, 6); }, "#2.."},
        HostileCase{"truncated_definition", [](Bytes& b) { b.resize(Def(4, 10)); }, "#2.."},
        HostileCase{"empty_name", [](Bytes& b) { b[Def(1, 0)] = 0; }, "#2.."},
        HostileCase{"name_of_17", [](Bytes& b) { b[Def(1, 0)] = 17; }, "#2.."},
        HostileCase{"type_5", [](Bytes& b) { b[Def(2, 17)] = 5; }, "#2.."},
        HostileCase{"negative_string_size", [](Bytes& b) { SetInt(b, Def(1, 20), -20); }, "#2.."},
        HostileCase{"integer_of_8_bytes", [](Bytes& b) { SetInt(b, Def(2, 20), 8); }, "#2.."},
        HostileCase{"currency_of_2_bytes", [](Bytes& b) { SetInt(b, Def(4, 20), 2); }, "#2.."},
        HostileCase{"empty_zero_sizes",
                    [](Bytes& b) {
                        b.resize(Def(1, 0));
                        SetInt(b, 84, 1);
                        b[Def(0, 17)] = 3;
                        SetInt(b, Def(0, 20), 0);
                    },
                    "#2.."},
        HostileCase{"string_over_1k", [](Bytes& b) { SetInt(b, Def(1, 20), 1025); },
                    "Wielkość rekordu jest zbyt duża, większa od 1kB.."},
        HostileCase{"string_of_int_max", [](Bytes& b) { SetInt(b, Def(1, 20), 0x7fffffff); },
                    "Wielkość rekordu jest zbyt duża, większa od 1kB.."},
        HostileCase{"partial_first_record", [](Bytes& b) { b.resize(kSampleData + 43); }, "#4.."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TMyTableHostile, TrailingPartialRecordCountsAsOneAndReadsAsZeros) {
    test::TempDir dir;
    Bytes bytes = SampleTable(dir, 2);
    bytes.resize(kSampleData + 44 + 30);
    test::WriteBytes(dir / "SAMPLE.tbl", bytes);
    TMyTable t;
    t.SetTableName(dir / "SAMPLE");
    t.Open();
    EXPECT_EQ(t.RecordCount(), 2);
    t.GoToRecord(1);
    EXPECT_FALSE(t.ReadRecord());
    EXPECT_EQ(std::get<std::string>(t.GetField(1)), "TOWAR 1");
    EXPECT_EQ(std::get<double>(t.GetField(3)), 0.0);
    t.GoToRecord(0);
    t.Delete();
    EXPECT_EQ(test::ReadBytes(dir / "SAMPLE.tbl").size(), kSampleData + 44)
        << "the moved record is whole again";
    EXPECT_EQ(std::get<std::string>(t.GetField(1)), "TOWAR 1");
}

// Reads everything the grid and the dialogs could read, and changes the table a little.
void Exercise(TMyTable& t, std::int64_t fileSize) {
    const std::int64_t data = 88 + 36 * t.FieldCount();
    std::int64_t stepped = 0;
    for (std::int64_t at = data; at < fileSize; at += t.RecordSize())
        ++stepped;
    ASSERT_EQ(t.RecordCount(), stepped) << "counting by arithmetic agrees with stepping";
    for (int r = 0; r < std::min(t.RecordCount(), 8); ++r) {
        t.GoToRecord(r);
        for (int f = 0; f < t.FieldCount(); ++f) {
            ToText(t.GetField(f));
            ToText(t.PeekField(r, f));
        }
    }
    t.Append();
    for (int f = 0; f < t.FieldCount(); ++f) {
        if (t.Field(f).type != FieldType::ftAutoInc)
            t.SetField(f, std::string("7"));
    }
    t.Post();
    t.Cancel();
    t.GoToRecord(0);
    t.Insert();
    t.Post();
    t.Cancel();
    t.Delete();
    t.Delete();
}

TEST(TMyTableHostile, SeededMutationsNeverCrash) {
    test::TempDir dir;
    const Bytes sample = SampleTable(dir, 4);
    std::mt19937 rng(20240611);
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng); };
    int opened = 0;
    constexpr int kRuns = 3000;
    for (int run = 0; run < kRuns; ++run) {
        Bytes b = sample;
        const int edits = 1 + static_cast<int>(pick(4));
        for (int e = 0; e < edits; ++e) {
            switch (pick(6)) {
            case 0:
                if (!b.empty())
                    b[pick(b.size())] = static_cast<std::uint8_t>(rng());
                break;
            case 1:
                b.resize(pick(b.size() + 1));
                break;
            case 2:
                if (b.size() >= 88)
                    SetInt(b, 84, static_cast<std::int32_t>(pick(3) == 0 ? rng() : pick(10)));
                break;
            case 3: {
                const std::size_t at = Def(static_cast<int>(pick(5)), 20);
                if (at + 4 <= b.size())
                    SetInt(b, at, static_cast<std::int32_t>(pick(2) ? rng() : pick(1100)));
                break;
            }
            case 4: {
                const std::size_t at = Def(static_cast<int>(pick(5)), static_cast<int>(pick(2) ? 0 : 17));
                if (at < b.size())
                    b[at] = static_cast<std::uint8_t>(pick(2) ? rng() : pick(20));
                break;
            }
            default:
                for (std::size_t n = pick(100); n > 0; --n)
                    b.push_back(static_cast<std::uint8_t>(rng()));
            }
        }
        test::WriteBytes(dir / "FUZZ.tbl", b);
        TMyTable t;
        t.SetTableName(dir / "FUZZ");
        try {
            t.Open();
        } catch (const TableError&) {
            continue;
        }
        ++opened;
        try {
            Exercise(t, static_cast<std::int64_t>(b.size()));
        } catch (const TableError&) {
            // Conversions of hostile bytes may be refused; the table stays usable.
        }
        t.Close();
    }
    // Both sides of the checks were reached.
    EXPECT_GT(opened, kRuns / 10);
    EXPECT_LT(opened, kRuns);
}

} // namespace
} // namespace nubra

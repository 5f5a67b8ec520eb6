#include "CatalogueCsv.h"

#include "CatalogueDefs.h"
#include "Cp1250.h"
#include "FileText.h"
#include "FullFolder.h"
#include "NubraError.h"
#include "TMyTable.h"
#include "TableTestUtil.h"

#include <gtest/gtest.h>

#include <set>

namespace nubra::toolkit {
namespace {

using catalogues::Catalogue;
using test::ReadBytes;

void OpenCatalogue(TMyTable& table, const std::string& name, Catalogue which) {
    table.SetTableName(name);
    for (const auto& f : catalogues::Definition(which).fields)
        table.AddField(cp1250::FromUtf8(f.name), f.type, f.alignment, f.required, f.size);
    table.CreateTable();
    table.Open();
}

void AddRecord(TMyTable& table, const std::vector<std::string>& utf8Values) {
    table.Append();
    for (int i = 0; i < table.FieldCount(); ++i)
        table.SetField(i, cp1250::FromUtf8(utf8Values.at(static_cast<std::size_t>(i))));
    ASSERT_TRUE(table.Post());
}

struct RoundTripCase {
    Catalogue which;
    std::vector<std::vector<std::string>> records;
};

class CatalogueRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(CatalogueRoundTrip, ExportedFileImportsIntoAnEmptyTableByteForByte) {
    test::TempDir dir;
    TMyTable source, copy;
    OpenCatalogue(source, dir / "SOURCE", GetParam().which);
    OpenCatalogue(copy, dir / "COPY", GetParam().which);
    for (const auto& r : GetParam().records)
        AddRecord(source, r);

    EXPECT_EQ(ExportCatalogueCsv(source, dir / "out.csv"), static_cast<int>(GetParam().records.size()));
    const CheckedCsv checked = CheckCatalogueCsv(copy, ReadWholeFile(dir / "out.csv"));
    ASSERT_TRUE(checked.faults.empty()) << checked.faults.front().reason;
    EXPECT_EQ(WriteCatalogueRecords(copy, checked, ImportMode::Append).records,
              static_cast<int>(GetParam().records.size()));
    EXPECT_TRUE(copy.Active());
    source.Close();
    copy.Close();
    EXPECT_EQ(ReadBytes(dir / "SOURCE.tbl"), ReadBytes(dir / "COPY.tbl"));
}

INSTANTIATE_TEST_SUITE_P(ThreeCatalogues, CatalogueRoundTrip,
                         ::testing::Values(RoundTripCase{Catalogue::Goods,
                                                         {{"ŻÓŁĆ GĘŚLĄ JAŹŃ", "A", "12,5"},
                                                          {"MLEKO 2%; \"ŁACIATE\"", "B", "0,0001"},
                                                          {"CHLEB", "G", "-3"}}},
                                           RoundTripCase{Catalogue::Contractors,
                                                         {{"PRZEDSIĘBIORSTWO", "HANDLOWE SP. Z O.O.",
                                                           "UL. ŚWIĘTOKRZYSKA 12", "ŁÓDŹ", "725-000-00-00"}}},
                                           RoundTripCase{
                                               Catalogue::Cards,
                                               {{"VISA", "4111111111111111", "TID1", "UID-7", "12/29", "KOD"},
                                                {"MAESTRO", "5018", "T", "U", "01/30", "9"}}}));

TEST(CatalogueCsv, ExportWritesTheSpreadsheetFormat) {
    test::TempDir dir;
    TMyTable goods;
    OpenCatalogue(goods, dir / "TOWARY", Catalogue::Goods);
    AddRecord(goods, {"ŻUBRÓWKA; 0,5 L", "A", "39,99"});
    ExportCatalogueCsv(goods, dir / "t.csv");
    EXPECT_EQ(ReadWholeFile(dir / "t.csv"), "\xEF\xBB\xBFNAZWA;PTU;CENA\r\n\"ŻUBRÓWKA; 0,5 L\";A;39,99\r\n");
}

struct FaultCase {
    const char* row;
    const char* reason;
};

class GoodsRowFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(GoodsRowFault, IsListedWithItsLine) {
    test::TempDir dir;
    TMyTable goods;
    OpenCatalogue(goods, dir / "TOWARY", Catalogue::Goods);
    const std::string text = std::string("NAZWA;PTU;CENA\nCHLEB;A;3\n") + GetParam().row + "\nMASŁO;B;7,5\n";
    const CheckedCsv checked = CheckCatalogueCsv(goods, text);
    ASSERT_EQ(checked.faults.size(), 1u);
    EXPECT_EQ(checked.faults[0].line, 3);
    EXPECT_EQ(checked.faults[0].reason, GetParam().reason);
    EXPECT_EQ(checked.records.size(), 2u);
    EXPECT_THROW(WriteCatalogueRecords(goods, checked, ImportMode::Replace), Error);
    EXPECT_EQ(goods.RecordCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    EngineRules, GoodsRowFault,
    ::testing::Values(FaultCase{";A;1", "Dla pola 'NAZWA' wymagana jest wartość."},
                      FaultCase{"SER;A;1,2x", "Wartość pola 'CENA' jest niepoprawna."},
                      FaultCase{"SER;A;", "Wartość pola 'CENA' jest niepoprawna."},
                      FaultCase{"SER;AB;1", "Pole 'PTU' jest dłuższe niż 1 znaków."},
                      FaultCase{"SER ✓;A;1", "Pole 'NAZWA': znaku '✓' (U+2713) nie ma w stronie kodowej "
                                             "drukarki (Windows-1250)."},
                      FaultCase{"S\tER;A;1",
                                "Pole 'NAZWA': znak sterujący (kod 0x09) nie może trafić do drukarki."},
                      FaultCase{"SER;A", "Wiersz ma 2 kolumn, a nagłówek 3."},
                      FaultCase{"S\xB9R;A;1", "Wiersz nie jest zapisany w UTF-8."}));

TEST(CatalogueCsv, AppliesTheRecordEditorsUpperCaseAndNumberFormat) {
    test::TempDir dir;
    TMyTable goods;
    OpenCatalogue(goods, dir / "TOWARY", Catalogue::Goods);
    const CheckedCsv checked = CheckCatalogueCsv(goods, "\xEF\xBB\xBF"
                                                        "cena;Nazwa;ptu\r\n\"1 234.50\";żółty ser;a\r\n");
    ASSERT_TRUE(checked.faults.empty());
    WriteCatalogueRecords(goods, checked, ImportMode::Append);
    ASSERT_EQ(goods.RecordCount(), 1);
    EXPECT_EQ(cp1250::ToUtf8(ToText(goods.PeekField(0, 0))), "ŻÓŁTY SER");
    EXPECT_EQ(ToText(goods.PeekField(0, 1)), "A");
    EXPECT_EQ(std::get<Currency>(goods.PeekField(0, 2)).scaled, 12345000);
}

TEST(CatalogueCsv, HeaderMustNameEveryFieldOnce) {
    test::TempDir dir;
    TMyTable goods;
    OpenCatalogue(goods, dir / "TOWARY", Catalogue::Goods);
    const CheckedCsv checked = CheckCatalogueCsv(goods, "NAZWA;NAZWA;ILOŚĆ\nA;B;C\n");
    ASSERT_EQ(checked.faults.size(), 4u);
    EXPECT_EQ(checked.faults[0].reason, "Kolumna 'NAZWA' powtarza się w nagłówku.");
    EXPECT_EQ(checked.faults[1].reason, "Nieznana kolumna 'ILOŚĆ' w nagłówku.");
    EXPECT_EQ(checked.faults[2].reason, "Brak kolumny 'PTU' w nagłówku.");
    EXPECT_EQ(checked.faults[3].reason, "Brak kolumny 'CENA' w nagłówku.");
    EXPECT_EQ(CheckCatalogueCsv(goods, "\xEF\xBB\xBF").faults.at(0).reason, "Plik nie ma wiersza nagłówka.");
}

TEST(CatalogueCsv, ReplaceKeepsTheOldFileAsABackupAndAppendKeepsTheRecords) {
    test::TempDir dir;
    TMyTable goods;
    OpenCatalogue(goods, dir / "TOWARY", Catalogue::Goods);
    AddRecord(goods, {"STARY", "A", "1"});
    goods.Close();
    const auto old = ReadBytes(dir / "TOWARY.tbl");
    goods.Open();

    const CheckedCsv checked = CheckCatalogueCsv(goods, "NAZWA;PTU;CENA\nNOWY;B;2\n");
    WriteCatalogueRecords(goods, checked, ImportMode::Append);
    EXPECT_EQ(goods.RecordCount(), 2);

    const ImportDone done = WriteCatalogueRecords(goods, checked, ImportMode::Replace);
    ASSERT_EQ(goods.RecordCount(), 1);
    EXPECT_EQ(ToText(goods.PeekField(0, 0)), "NOWY");
    EXPECT_EQ(std::filesystem::path(done.backup).parent_path(), dir.path());
    EXPECT_EQ(ReadBytes(done.backup).size(), old.size() + 49);
    EXPECT_FALSE(std::filesystem::exists(dir / "TOWARY_import.tbl"));
}

// What a killed import left goes at the next start; an import on a full disk leaves the table whole
// and no backup that is not one.
TEST(CatalogueCsv, OnlyWholeFilesAreLeftBesideTheTable) {
    nubra::testing::FullFolder full;
    if (!full.Ready())
        GTEST_SKIP() << full.Why();
    ASSERT_TRUE(full.Put("TOWARY_import.tbl", "cut short"));
    ASSERT_TRUE(full.Put("TOWARY_import.tmp", "cut short"));
    TMyTable goods;
    catalogues::OpenCatalogue(goods, full.Path(), catalogues::Definition(Catalogue::Goods));
    auto files = [&] {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(full.Path()))
            names.insert(entry.path().filename().string());
        return names;
    };
    EXPECT_EQ(files(), (std::set<std::string>{"TOWARY.tbl"}));
    // 7 pages of 4 kB. Left room for 6 and a killed import's page: the new table is built (7 pages at
    // its largest, 1 in the end), and the backup's copy runs out of room.
    for (int i = 0; i < 500; ++i)
        AddRecord(goods, {"TOWAR " + std::to_string(i), "A", "1"});
    const auto old = ReadBytes(full.Path() + "TOWARY.tbl");
    ASSERT_EQ((old.size() + 4095) / 4096, 7u);
    ASSERT_TRUE(full.Put("TOWARY_import.tmp", "cut short"));
    ASSERT_TRUE(full.Fill(6 * 4096));
    const CheckedCsv checked = CheckCatalogueCsv(goods, "NAZWA;PTU;CENA\nNOWY;B;2\n");
    try {
        WriteCatalogueRecords(goods, checked, ImportMode::Replace);
        ADD_FAILURE() << "the import fitted";
    } catch (const Error& e) {
        EXPECT_EQ(std::string(e.what()), "Błąd zapisu do pliku '" + full.Path() + "TOWARY.tbl'.");
    }
    EXPECT_EQ(ReadBytes(full.Path() + "TOWARY.tbl"), old);
    EXPECT_EQ(files(), (std::set<std::string>{".filler", "TOWARY.tbl"}));
    EXPECT_EQ(goods.RecordCount(), 500);
}

} // namespace
} // namespace nubra::toolkit

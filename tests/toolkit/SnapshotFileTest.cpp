#include "FlatJson.h"
#include "SettingsSnapshot.h"

#include <gtest/gtest.h>

namespace nubra::toolkit {
namespace {

SettingsSnapshot Sample() {
    SettingsSnapshot s;
    s.uniqueNo = "ABC12345678";
    s.readAt = "2026-12-08 19:30:12";
    for (const SettingDef& def : SettingDefs()) {
        switch (def.kind) {
        case SettingKind::Rate:
            s.values[def.key] = "23,00";
            break;
        case SettingKind::Number:
            s.values[def.key] = "5";
            break;
        case SettingKind::Choice:
            s.values[def.key] = def.choices[1];
            break;
        case SettingKind::Text:
            s.values[def.key] = "";
            break;
        case SettingKind::Flag:
            s.values[def.key] = "nie";
            break;
        }
    }
    s.values["ptu_E"] = "zwolniona";
    s.values["naglowek_1"] = "  \"ŻABKA\" \\ SKLEP";
    s.values["naglowek_1_szeroki"] = "tak";
    return s;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST(SnapshotFile, IsReadableJsonOneKeyPerLineAndReadsBack) {
    const std::string json = SnapshotToJson(Sample());
    EXPECT_EQ(json.substr(0, 132), "{\n"
                                   "  \"format\": \"nubra5 ustawienia kasy\",\n"
                                   "  \"wersja\": 1,\n"
                                   "  \"numer_unikatowy\": \"ABC12345678\",\n"
                                   "  \"data_odczytu\": \"2026-12-08 19:30:12\",\n");
    EXPECT_NE(json.find("\n  \"ptu_E\": \"zwolniona\",\n"), std::string::npos);
    EXPECT_NE(json.find("\n  \"stanowisko_8\": 5,\n"), std::string::npos);
    EXPECT_NE(
        json.find("\n  \"naglowek_1\": \"  \\\"ŻABKA\\\" \\\\ SKLEP\",\n  \"naglowek_1_szeroki\": true,\n"),
        std::string::npos);
    EXPECT_NE(json.find("\n  \"kod_transmisji\": \"Mazovia\",\n"), std::string::npos);
    const SettingsSnapshot back = SnapshotFromJson(json);
    EXPECT_EQ(back.values, Sample().values);
    EXPECT_EQ(back.uniqueNo, "ABC12345678");
    EXPECT_TRUE(CompareSnapshots(back, Sample()).empty());
}

TEST(SnapshotFile, DifferencesAreShownAsTheUserReadsThem) {
    SettingsSnapshot other = Sample();
    other.values["ptu_B"] = "8,00";
    other.values["naglowek_2_wysoki"] = "tak";
    const auto d = CompareSnapshots(Sample(), other);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].label, "Stawka PTU B");
    EXPECT_EQ(d[0].first, "23,00 %");
    EXPECT_EQ(d[0].second, "8,00 %");
    EXPECT_EQ(d[1].label, "Nagłówek, linia 2: wysoki generator");
    EXPECT_EQ(d[1].first, "nie");
    EXPECT_EQ(d[1].second, "tak");
}

struct BrokenCase {
    const char* from;
    const char* to;
    const char* message;
};

class BrokenSnapshot : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenSnapshot, IsRefusedWithTheLineAndTheReason) {
    const std::string text = Replaced(SnapshotToJson(Sample()), GetParam().from, GetParam().to);
    try {
        SnapshotFromJson(text);
        FAIL() << "accepted";
    } catch (const JsonError& e) {
        EXPECT_STREQ(e.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    HandEdits, BrokenSnapshot,
    ::testing::Values(
        BrokenCase{"\"wersja\": 1,", "\"wersja\": 1", "wiersz 3: oczekiwano znaku ',' lub '}'"},
        BrokenCase{"\"ptu_A\": \"23,00\"", "\"ptu_A\": \"23,001\"",
                   "wiersz 6: \"ptu_A\": oczekiwano stawki od \"0,00\" do \"99,97\", \"nieaktywna\" lub "
                   "\"zwolniona\""},
        BrokenCase{"\"stanowisko_1\": 5", "\"stanowisko_1\": 100",
                   "wiersz 13: \"stanowisko_1\": oczekiwano liczby od 0 do 99"},
        BrokenCase{"\"separator\": \"Kropka\"", "\"separator\": \"kropka\"",
                   "wiersz 22: \"separator\": oczekiwano \"Przecinek\" lub \"Kropka\""},
        BrokenCase{"\"naglowek_1_szeroki\": true", "\"naglowek_1_szeroki\": \"tak\"",
                   "wiersz 27: \"naglowek_1_szeroki\": oczekiwano true lub false"},
        BrokenCase{"\"naglowek_1\": \"", "\"naglowek_1\": \"0123456789",
                   "wiersz 26: \"naglowek_1\": linia drukowana szeroko ma najwyżej 20 znaków"},
        BrokenCase{"\"stopka_3\": \"\"", "\"stopka_3\": \"✓\"",
                   "wiersz 40: \"stopka_3\": znaku '✓' (U+2713) nie ma w stronie kodowej drukarki "
                   "(Windows-1250)"},
        BrokenCase{"\"stopka_3\": \"\"", "\"stopka_3\": \"§ 5\"",
                   "wiersz 40: \"stopka_3\": znaku '§' (U+00A7) nie ma w stronie kodowej nagłówka i stopki "
                   "(Mazovia)"},
        BrokenCase{"\"stopka_3\": \"\"", "\"stopka_3\": \"a\\u0003\"",
                   "wiersz 40: \"stopka_3\": znak sterujący (kod 0x03) nie może trafić do drukarki"},
        BrokenCase{"\"ptu_G\"", "\"ptu_H\"", "wiersz 12: nieznane ustawienie \"ptu_H\""},
        BrokenCase{"  \"czas_oczekiwania\": 5,\n", "", "wiersz 40: brak ustawienia \"czas_oczekiwania\""},
        BrokenCase{
            "nubra5 ustawienia kasy", "cos innego",
            "wiersz 2: to nie jest plik ustawień kasy (oczekiwano \"format\": \"nubra5 ustawienia kasy\")"},
        BrokenCase{"\"ptu_B\": \"23,00\",", "\"ptu_A\": \"23,00\",",
                   "wiersz 7: ustawienie \"ptu_A\" występuje drugi raz"},
        BrokenCase{"\"ptu_C\": \"23,00\"", "\"ptu_C\": \"23,00",
                   "wiersz 8: tekst bez cudzysłowu zamykającego"}));

} // namespace
} // namespace nubra::toolkit

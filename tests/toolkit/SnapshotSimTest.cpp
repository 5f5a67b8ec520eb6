// The settings snapshot against nx3sim: save, change the device by hand, see the differences, restore.
#include "Cp1250.h"
#include "FlatJson.h"
#include "SettingsSnapshot.h"
#include "SimLinkFixture.h"

namespace nubra::toolkit {
namespace {

class SnapshotSimTest : public testing::SimLinkFixture {
protected:
    SettingsSnapshot Read() {
        SettingsSnapshot s;
        EXPECT_TRUE(ReadSnapshot(*link, "2026-12-08 19:30:12", s));
        return s;
    }
};

TEST_F(SnapshotSimTest, SavedSettingsAreTheDevicesAsTheUserReadsThem) {
    Device([](sim::Nx3Device& d) { d.State().header[1].text = cp1250::FromUtf8("ŁÓDŹ, UL. ŻYTNIA 5"); });
    const SettingsSnapshot s = Read();
    EXPECT_EQ(s.uniqueNo, "ABC12345678");
    EXPECT_EQ(s.values.at("ptu_A"), "23,00");
    EXPECT_EQ(s.values.at("ptu_E"), "zwolniona");
    EXPECT_EQ(s.values.at("ptu_F"), "nieaktywna");
    EXPECT_EQ(s.values.at("stanowisko_1"), "1");
    EXPECT_EQ(s.values.at("czas_oczekiwania"), "5");
    EXPECT_EQ(s.values.at("kod_transmisji"), "Mazovia");
    EXPECT_EQ(s.values.at("separator"), "Przecinek");
    EXPECT_EQ(s.values.at("potwierdzenia"), "Z potwierdzeniami");
    EXPECT_EQ(s.values.at("naglowek_1"), "NUBRA SKLEP");
    EXPECT_EQ(s.values.at("naglowek_1_szeroki"), "tak");
    EXPECT_EQ(s.values.at("naglowek_2"), "ŁÓDŹ, UL. ŻYTNIA 5");
    EXPECT_EQ(s.values.at("stopka_1"), "DZIEKUJEMY ZA ZAKUPY");
    EXPECT_EQ(SnapshotFromJson(SnapshotToJson(s)).values, s.values);
    EXPECT_TRUE(ui.Errors.empty());
}

TEST_F(SnapshotSimTest, DiffShowsTheHandChangesAndRestoreLeavesTheRatesUnlessAsked) {
    const SettingsSnapshot saved = Read();
    Device([](sim::Nx3Device& d) {
        d.State().header[1].text = "UL. KRZYWA 2";
        d.State().vatRates[1] = 700;
    });
    const auto differences = CompareSnapshots(saved, Read());
    ASSERT_EQ(differences.size(), 2u);
    EXPECT_EQ(differences[0].key, "ptu_B");
    EXPECT_EQ(differences[0].first, "8,00 %");
    EXPECT_EQ(differences[0].second, "7,00 %");
    EXPECT_EQ(differences[1].key, "naglowek_2");
    EXPECT_EQ(differences[1].first, "\"UL. PROSTA 1\"");
    EXPECT_EQ(differences[1].second, "\"UL. KRZYWA 2\"");

    std::vector<std::string> written;
    ASSERT_TRUE(RestoreSnapshot(*link, ui, saved, differences, false, written));
    EXPECT_EQ(written, std::vector<std::string>{"nagłówek"});
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0].text, "Nagłówek zastał zapisany do drukarki.");
    Device([](sim::Nx3Device& d) {
        EXPECT_EQ(d.State().header[1].text, "UL. PROSTA 1");
        EXPECT_FALSE(d.State().header[1].wide);
        EXPECT_EQ(d.State().header[0].text, "NUBRA SKLEP");
        EXPECT_EQ(d.State().vatRates[1], 700);
    });

    written.clear();
    ASSERT_TRUE(RestoreSnapshot(*link, ui, saved, CompareSnapshots(saved, Read()), true, written));
    EXPECT_EQ(written, std::vector<std::string>{"stawki PTU"});
    Device([](sim::Nx3Device& d) { EXPECT_EQ(d.State().vatRates[1], 800); });
    EXPECT_TRUE(CompareSnapshots(saved, Read()).empty());
    EXPECT_TRUE(ui.Errors.empty());
}

TEST_F(SnapshotSimTest, ParametersAndWaitingTimeGoBackWithTheirCommands) {
    const SettingsSnapshot saved = Read();
    Device([](sim::Nx3Device& d) {
        d.State().status2 &= static_cast<unsigned char>(~0x01);
        d.State().waitingTime = 9;
        d.State().postNumbers[7] = 12;
        d.State().footer[2] = "DO ZOBACZENIA";
    });
    std::vector<std::string> written;
    ASSERT_TRUE(RestoreSnapshot(*link, ui, saved, CompareSnapshots(saved, Read()), false, written));
    EXPECT_EQ(written,
              (std::vector<std::string>{"numery stanowisk", "parametry", "czas oczekiwania", "stopka"}));
    EXPECT_EQ(ui.Messages.at(0).text, "Parametry kasy zostały zmienione.");
    EXPECT_TRUE(CompareSnapshots(saved, Read()).empty());
}

// Whatever the device holds, the copy taken of it can be loaded again and compares equal to it.
TEST_F(SnapshotSimTest, AnUnusualDeviceGivesACopyThatLoads) {
    Device([](sim::Nx3Device& d) {
        d.State().uniqueNumber = cp1250::FromUtf8("ĄBC12345678");
        d.State().header[2].text = "SKLEP \x81";
    });
    const SettingsSnapshot s = Read();
    EXPECT_EQ(s.uniqueNo, "ĄBC12345678");
    EXPECT_EQ(s.values.at("naglowek_3"), "SKLEP ?");
    const SettingsSnapshot loaded = SnapshotFromJson(SnapshotToJson(s));
    EXPECT_EQ(loaded.uniqueNo, s.uniqueNo);
    EXPECT_EQ(loaded.values, s.values);
}

TEST_F(SnapshotSimTest, AWaitingTimeTheFileCannotHoldFailsTheReading) {
    Device([](sim::Nx3Device& d) { d.State().waitingTime = 150; });
    SettingsSnapshot s;
    EXPECT_FALSE(ReadSnapshot(*link, "2026-12-08 19:30:12", s));
}

} // namespace
} // namespace nubra::toolkit

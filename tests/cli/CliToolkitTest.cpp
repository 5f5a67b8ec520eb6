// nx3cli's snapshot and catalogue subcommands against nx3sim.
#include "CliFixture.h"
#include "Cp1250.h"

namespace nubra::testing {
namespace {

class CliToolkitTest : public CliFixture {
protected:
    std::string Read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

TEST_F(CliToolkitTest, SnapshotSaveDiffRestore) {
    const std::string file = dir + "/kasa.nx3.json";
    ASSERT_EQ(Run({"snapshot", "save", file}).code, 0);
    EXPECT_NE(Read(file).find("\"naglowek_2\": \"UL. PROSTA 1\""), std::string::npos);
    Device([](sim::Nx3Device& d) {
        d.State().header[1].text = "UL. KRZYWA 2";
        d.State().vatRates[1] = 700;
    });
    const CliRunResult diff = Run({"--json", "snapshot", "diff", file});
    EXPECT_EQ(diff.code, 0);
    EXPECT_NE(diff.out.find("\"equal\": false"), std::string::npos) << diff.out;
    EXPECT_NE(diff.out.find("\"setting\": \"ptu_B\""), std::string::npos) << diff.out;
    EXPECT_NE(diff.out.find("\"device\": \"\\\"UL. KRZYWA 2\\\"\""), std::string::npos) << diff.out;

    RunRefusedUnsent({"snapshot", "restore", file});
    Device([](sim::Nx3Device& d) { EXPECT_EQ(d.State().header[1].text, "UL. KRZYWA 2"); });
    const CliRunResult restore = Run({"snapshot", "restore", file, "--yes"});
    EXPECT_EQ(restore.code, 0) << restore.err;
    Device([](sim::Nx3Device& d) {
        EXPECT_EQ(d.State().header[1].text, "UL. PROSTA 1");
        EXPECT_EQ(d.State().vatRates[1], 700);
    });
    EXPECT_EQ(Run({"snapshot", "restore", file, "--with-vat", "--yes"}).code, 0);
    Device([](sim::Nx3Device& d) { EXPECT_EQ(d.State().vatRates[1], 800); });
    EXPECT_NE(Run({"snapshot", "diff", file}).out.find("Ustawienia są zgodne."), std::string::npos);
}

TEST_F(CliToolkitTest, TwoFilesNeedNoPrinterAndABrokenFileIsRefused) {
    const std::string a = dir + "/a.nx3.json", b = dir + "/b.nx3.json";
    ASSERT_EQ(Run({"snapshot", "save", a}).code, 0);
    std::string text = Read(a);
    text.replace(text.find("\"czas_oczekiwania\": 5"), 21, "\"czas_oczekiwania\": 7");
    std::ofstream(b) << text;
    const CliRunResult diff = RunPlain({"snapshot", "diff", a, b});
    EXPECT_EQ(diff.code, 0) << diff.err;
    EXPECT_NE(diff.out.find("Czas oczekiwania na wydruk dokumentu (min.): 5 -> 7"), std::string::npos)
        << diff.out;

    text.replace(text.find("\"czas_oczekiwania\": 7"), 21, "\"czas_oczekiwania\": x");
    std::ofstream(b) << text;
    const CliRunResult broken = Run({"snapshot", "restore", b, "--yes"});
    EXPECT_EQ(broken.code, 1);
    EXPECT_NE(broken.err.find("wiersz 25: oczekiwano tekstu w cudzysłowie, liczby, true lub false"),
              std::string::npos)
        << broken.err;

    // Text the printer cannot take is bad input, not a damaged file.
    text.replace(text.find("\"czas_oczekiwania\": x"), 21, "\"czas_oczekiwania\": 7");
    const std::size_t header = text.find("\"naglowek_1\": \"") + 15;
    text.insert(header, "\u00a7");
    std::ofstream(b) << text;
    const CliRunResult unprintable = Run({"snapshot", "restore", b, "--yes"});
    EXPECT_EQ(unprintable.code, 64);
    EXPECT_NE(unprintable.err.find("\"naglowek_1\": znaku '§' (U+00A7) nie ma w stronie kodowej"),
              std::string::npos)
        << unprintable.err;
}

TEST_F(CliToolkitTest, CatalogueImportChecksEveryRowAndExportGivesItBack) {
    std::ofstream(dir + "/in.csv") << "\xEF\xBB\xBFNAZWA;PTU;CENA\r\nŻółty ser;A;12,5\r\nMleko;AB;3\r\n";
    const CliRunResult bad = RunPlain({"catalogue", "import", "towary", dir + "/in.csv"});
    EXPECT_EQ(bad.code, 1);
    EXPECT_NE(bad.err.find("wiersz 3: Pole 'PTU' jest dłuższe niż 1 znaków."), std::string::npos) << bad.err;

    std::ofstream(dir + "/in.csv") << "\xEF\xBB\xBFNAZWA;PTU;CENA\r\nŻółty ser;A;12,5\r\n";
    const CliRunResult good =
        RunPlain({"--json", "catalogue", "import", "towary", dir + "/in.csv", "--replace"});
    EXPECT_EQ(good.code, 0) << good.err;
    EXPECT_NE(good.out.find("\"records\": 1"), std::string::npos) << good.out;
    EXPECT_NE(good.out.find("\"backup\": "), std::string::npos) << good.out;
    ASSERT_EQ(RunPlain({"catalogue", "export", "towary", dir + "/out.csv"}).code, 0);
    EXPECT_EQ(Read(dir + "/out.csv"), "\xEF\xBB\xBFNAZWA;PTU;CENA\r\nŻÓŁTY SER;A;12,5\r\n");
    EXPECT_EQ(RunPlain({"catalogue", "export", "ryby", dir + "/x.csv"}).code, 64);
}

} // namespace
} // namespace nubra::testing

// Text that would break a frame or that the printer cannot print, from sale files and command lines:
// refused with exit 64 and the place and character named, before anything goes over the line.
#include <sys/stat.h>

#include "CliFixture.h"

namespace nubra::testing {
namespace {

class CliText : public CliFixture {
protected:
    std::string File(const std::string& name, const std::string& bytes) {
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    void ExpectRefused(const std::vector<std::string>& args, const std::string& message) {
        const CliRunResult r = RunRefusedUnsent(args);
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), "nx3cli: " + message) << ::testing::PrintToString(args);
    }
};

TEST_F(CliText, HostileSaleFilesAreRefusedUnsent) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string message;
    };
    const std::string control = "znak sterujący (kod 0x03) nie może trafić do drukarki.";
    const Case cases[] = {
        {"etx.csv",
         "name;ptu;price\nChl\x03"
         "eb;A;1\n",
         "Wiersz 2, pole 'name': " + control},
        {"overlong.csv",
         "name;ptu;price\nChl\xC0\x83"
         "eb;A;1\n",
         "Wiersz 2, pole 'name': niepoprawny zapis UTF-8 (bajt 0xC0)."},
        {"surrogate.csv", "name;ptu;price\n\xED\xA0\x80;A;1\n",
         "Wiersz 2, pole 'name': niepoprawny zapis UTF-8 (bajt 0xED)."},
        {"kanji.csv", "\xEF\xBB\xBFname;ptu;price\n日本;A;1\n",
         "Wiersz 2, pole 'name': znaku '日' (U+65E5) nie ma w stronie kodowej drukarki (Windows-1250)."},
        {"lf.csv", "name;ptu;price\n\"Chleb\nrazowy\";A;1\n",
         "Wiersz 2, pole 'name': znak sterujący (kod 0x0A) "
         "nie może trafić do drukarki."},
        {"etx.json", R"([{"name": "Chl\u0003eb", "ptu": "A", "price": "1"}])",
         "Rekord 1, pole 'name': " + control},
        {"card.json",
         R"([{"name": "Chleb", "ptu": "A", "price": "1", "payment": "karta", "cardname": "V\u0003"}])",
         "Rekord 1, pole 'cardname': " + control},
        {"twice.json", R"([{"name": "Chleb", "ptu": "A", "price": "1"}, {"name": "A", "Name": "B"}])",
         "Rekord 2: pole 'name' podane dwa razy."},
        {"overlong.json",
         "[{\"name\": \"Chl\xC0\x83"
         "eb\", \"ptu\": \"A\", \"price\": \"1\"}]",
         "Błąd w pliku JSON w wierszu 1."},
        {"lone.json", "[\n{\"name\": \"\\uD800\", \"ptu\": \"A\", \"price\": \"1\"}]",
         "Błąd w pliku JSON w wierszu 2."},
        {"nested.json", R"([{"name": {"pl": "Chleb"}, "ptu": "A", "price": "1"}])",
         "Rekord 1, pole 'name': oczekiwano tekstu, liczby, true, false lub null."},
    };
    for (const Case& c : cases)
        ExpectRefused({"sell", File(c.name, c.bytes)}, c.message);
}

TEST_F(CliText, OnlyARegularFileOfSaneSizeIsRead) {
    const std::string fifo = dir + "/fifo.csv", sparse = dir + "/sparse.csv", folder = dir + "/folder.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(folder);
    File("sparse.csv", "name;ptu;price\n");
    std::filesystem::resize_file(sparse, (16u << 20) + 1);
    ExpectRefused({"sell", fifo}, "Nie można odczytać pliku '" + fifo + "': to nie jest zwykły plik.");
    ExpectRefused({"sell", "/dev/zero"}, "Nie można odczytać pliku '/dev/zero': to nie jest zwykły plik.");
    ExpectRefused({"sell", folder}, "Nie można odczytać pliku '" + folder + "': to nie jest zwykły plik.");
    ExpectRefused({"exchange", sparse}, "Plik '" + sparse + "' jest zbyt duży (ponad 16 MB).");
    ExpectRefused({"sell", dir + "/brak.csv"}, "Nie można odczytać pliku '" + dir + "/brak.csv'.");
}

TEST_F(CliText, HostileArgumentsAreRefusedUnsent) {
    const struct {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"goods-info", "Kawa\x1b"}, "Nazwa towaru: znak sterujący (kod 0x1B) nie może trafić do drukarki."},
        {{"goods-info", "Kawa\xC0\x83"}, "Nazwa towaru: niepoprawny zapis UTF-8 (bajt 0xC0)."},
        {{"template", "print", "1", "Mleko", "Ser\x02"},
         "Wiersz 2 szablonu: znak sterujący (kod 0x02) nie może trafić do drukarki."},
        {{"template", "print", "1", "Cena ₹"},
         "Wiersz 1 szablonu: znaku '₹' (U+20B9) nie ma w stronie kodowej drukarki (Windows-1250)."},
        {{"--yes", "currency-change", "set", "2027-01-01", "00:00", "EU\x03"},
         "Waluta: znak sterujący (kod 0x03) nie może trafić do drukarki."},
        // Header and footer lines travel in Mazovia, which has the Polish letters and ASCII only: in
        // Windows-1250 "§" is the byte Mazovia reads as "ż".
        {{"header", "set", "SKLEP ŻAK", "ul. Długa 1 § 2"},
         "Wiersz 2 nagłówka: znaku '§' (U+00A7) nie ma w stronie kodowej nagłówka i stopki (Mazovia)."},
        {{"header", "set", "SKLEP\x03"},
         "Wiersz 1 nagłówka: znak sterujący (kod 0x03) nie może trafić do drukarki."},
        {{"footer", "set", "Dziękujemy", "Ceny w €"},
         "Wiersz 2 stopki: znaku '€' (U+20AC) nie ma w stronie kodowej nagłówka i stopki (Mazovia)."},
    };
    for (const auto& c : cases)
        ExpectRefused(c.args, c.message);
    // The Polish letters pass, in both cases.
    const CliRunResult ok = Run({"header", "set", "ZAŻÓŁĆ GĘŚLĄ JAŹŃ", "zażółć gęślą jaźń"});
    EXPECT_EQ(ok.code, 0) << ok.err;
}

} // namespace
} // namespace nubra::testing

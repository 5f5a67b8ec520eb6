// Sales subcommands against the emulator: documents on the paper roll, answers, and sale files that
// are refused before anything is sent.
#include <algorithm>

#include "CliFixture.h"
#include "Cp1250.h"

namespace nubra::testing {
namespace {

class CliSales : public CliFixture {
protected:
    std::string File(const std::string& name, const std::string& text) {
        const std::string path = dir + "/" + name;
        std::ofstream(path) << text;
        return path;
    }
    bool Rolled(const std::string& utf8) {
        const auto roll = Device([](sim::Nx3Device& d) { return d.State().paperRoll; });
        return std::find(roll.begin(), roll.end(), cp1250::FromUtf8(utf8)) != roll.end();
    }
};

TEST_F(CliSales, StartThenSellFromCsvPrintsEachReceipt) {
    const CliRunResult start = Run({"--json", "start", "--register", "2", "--limit", "100"});
    EXPECT_EQ(start.code, 0) << start.err;
    EXPECT_EQ(start.out, "{\"register\": 2, \"transaction\": 1}\n");
    const CliRunResult sell =
        Run({"sell", "--register", "2", "--print",
             File("dzien.csv", "name;ptu;quantity;price\nChleb żytni;A;1;4,50\n\"Mleko; 2%\";B;2;3,20\n")});
    EXPECT_EQ(sell.code, 0) << sell.err;
    EXPECT_EQ(sell.out, "Transakcja 1, Chleb żytni, wartość 4,50\nTransakcja 2, Mleko; 2%, wartość 6,40\n");
    EXPECT_TRUE(Rolled("CHLEB ŻYTNI"));
    EXPECT_TRUE(Rolled("  2,00 x 3,20 = 6,40 B"));
    EXPECT_TRUE(Rolled("REJESTR 2 TRANSAKCJA 00002"));
    EXPECT_NE(Run({"--json", "totalizer"}).out.find("\"receiptCount\": \"00002\""), std::string::npos);
}

TEST_F(CliSales, InvoiceFromJsonAndTheStoredDocument) {
    const CliRunResult sell =
        Run({"sell", File("faktura.json", R"([{"name": "Kawa", "ptu": "A", "price": "19,99",
        "document": "faktura", "name1": "Firma", "town": "Gdańsk", "nip": "5260250274"}])")});
    EXPECT_EQ(sell.code, 0) << sell.err;
    EXPECT_FALSE(Rolled("FIRMA"));
    EXPECT_EQ(Run({"print-document"}).code, 0);
    EXPECT_TRUE(Rolled("FAKTURA VAT NR 00001"));
    EXPECT_TRUE(Rolled("GDAŃSK"));
    const CliRunResult again = Run({"print-document"});
    EXPECT_EQ(again.code, 1);
    EXPECT_EQ(again.err, "Odpowiedź drukarki D2: Wybrany bufor nie zawiera dokumentu.\n");
    const CliRunResult info = Run({"goods-info", "Kawa"});
    EXPECT_EQ(info.code, 0) << info.err;
    EXPECT_NE(info.out.find("Indeks PTU: A\n"), std::string::npos) << info.out;
}

TEST_F(CliSales, ExchangeConfirmationIsPrinted) {
    const CliRunResult r = Run({"exchange", File("wymiana.json", R"([{"transaction": "12", "amount": "100",
        "currency": "EUR", "rate": "4,3000", "value": "430,00", "name1": "Jan Kowalski", "town": "Kraków"}])")});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(Rolled("POTWIERDZENIE WYMIANY WALUT NR 00012"));
    EXPECT_TRUE(Rolled("KRAKÓW"));
    EXPECT_TRUE(Rolled("SKUP EUR 100,00 KURS 4,3000"));
}

TEST_F(CliSales, DamagedSaleFilesAreRefusedBeforeAnythingIsSent) {
    for (const std::string& text : {
             std::string("name;ptu;price\nChleb;A;abc\n"),
             std::string("name;ptu;price\n;A;1\n"),
             std::string("name;ptu;price\nChleb;A;1000000\n"),
             std::string("name;ptu;price\nChleb;A;-1\n"),
             std::string("name;ptu;price;document\nChleb;A;1;rachunek\n"),
             std::string("name;ptu;price;loyaltycard;points;pointssum\nChleb;A;1;123;100000;1\n"),
             std::string("name;ptu\n"),
         })
        RunRefusedUnsent({"sell", File("zle.csv", text)});
    EXPECT_EQ(Run({"start", "--register", "9"}).code, 64);
}

// The limit is cut to hundredths as the start window cuts it, and 1,00 is added.
TEST_F(CliSales, StartLimitIsCutToHundredthsPlusOne) {
    for (const auto& [typed, sent] : std::vector<std::pair<std::string, std::int64_t>>{
             {"0,299", 129}, {"0.29", 129}, {"50", 5100}, {"999998,999", 99999999}}) {
        const CliRunResult r = Run({"start", "--register", "3", "--limit", typed});
        EXPECT_EQ(r.code, 0) << typed << ": " << r.err;
        Device([&, typed = typed, sent = sent](sim::Nx3Device& d) {
            EXPECT_EQ(d.State().sales[2].limit, sent) << typed;
            d.State().registers[2].status = 'N';
        });
    }
    const std::string err = RunRefusedUnsent({"start", "--limit", "999999"}).err;
    EXPECT_EQ(err.substr(0, err.find('\n')), "nx3cli: Limit musi być liczbą od 0 do 999998,99: 999999.");
}

// The rate goes with four decimals whichever way it was typed, as the exchange window sends it.
TEST_F(CliSales, ExchangeRateGoesWithFourDecimals) {
    const std::string trace = dir + "/trace.txt";
    for (const char* rate : {"4,3000", "4.3", "4,3"}) {
        const CliRunResult r =
            Run({"--trace", trace, "exchange",
                 File("wymiana.json",
                      std::string(R"([{"transaction": "1", "amount": "100", "currency": "EUR", "rate": ")") +
                          rate + R"(", "value": "430"}])")});
        EXPECT_EQ(r.code, 0) << rate << ": " << r.err;
        std::ifstream in(trace);
        const std::string traced((std::istreambuf_iterator<char>(in)), {});
        EXPECT_NE(traced.find("000100,00EUR0004,3000000430,00<ETX>"), std::string::npos) << rate;
        EXPECT_TRUE(Rolled("SKUP EUR 100,00 KURS 4,3000")) << rate;
    }
    const std::string over = File("kurs.json", R"([{"transaction": "1", "amount": "1", "currency": "EUR",
        "rate": "10000", "value": "1"}])");
    const std::string err = RunRefusedUnsent({"exchange", over}).err;
    EXPECT_EQ(err.substr(0, err.find('\n')), "nx3cli: Kurs musi być liczbą od 0 do 9999,9999: 10000.");
}

} // namespace
} // namespace nubra::testing

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

} // namespace
} // namespace nubra::testing

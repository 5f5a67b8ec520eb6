// Transactions, sales, stored documents and the goods list of the device model, byte by byte.
#include "DeviceStateFile.h"
#include "DeviceTalk.h"
#include "FullFolder.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using namespace nubra::sim;
using namespace nubra::sim::test;

std::string Pad(const std::string& text, std::size_t width) {
    return std::string(width - text.size(), ' ') + text;
}

// A "PD" line: register, transaction, name, VAT letter, quantity and price fields.
std::string Receipt(char reg, int tranNo, const std::string& name, char ptu, const std::string& quantity,
                    const std::string& price) {
    return std::string(1, reg) + Pad(std::to_string(tranNo), 5) + Pad(name, 40) + ptu + quantity + price +
           "G" + std::string(20, ' ');
}

// Runs a command with its data frame; returns the code (and data) after "I1".
std::string Exchange(Nx3Device& d, const std::string& code, const std::string& data) {
    EXPECT_EQ(Ask(d, code), kI1) << code;
    return Ask(d, data);
}

TEST(Nx3DeviceSales, StartGivesNumbersAndRefusesAsTheDescriptionTableSays) {
    Nx3Device d;
    EXPECT_EQ(Exchange(d, "PC", "1    51,00"), kD1 + F("1"));
    EXPECT_EQ(Exchange(d, "PC", "2    51,00"), kD1 + F("2"));
    EXPECT_EQ(d.State().registers[0].status, 'T');
    EXPECT_EQ(d.State().sales[0].limit, 5100);

    struct Case {
        const char* data;
        const char* code;
    } cases[] = {{"1    51,00", "D4"}, {"9    51,00", "D2"}, {"3     51,0", "D2"}, {"3", "D2"}};
    for (const Case& c : cases)
        EXPECT_EQ(Exchange(d, "PC", c.data), F(c.code)) << c.data;

    d.State().vatRates.fill(9999);
    EXPECT_EQ(Exchange(d, "PC", "3    51,00"), F("A5"));
}

TEST(Nx3DeviceSales, SaleRefusals) {
    Nx3Device d;
    Exchange(d, "PC", "1    11,00");
    d.State().vatRates[5] = 9999;
    struct Case {
        std::string data;
        const char* code;
    } cases[] = {
        {Receipt('2', 1, "CHLEB", 'A', "000001,00", "000001,00"), "DE"},           // not started
        {Receipt('1', 7, "CHLEB", 'A', "000001,00", "000001,00"), "A0"},           // wrong number
        {Receipt('1', 1, "CHLEB", 'F', "000001,00", "000001,00"), "D2"},           // inactive rate
        {Receipt('1', 1, "CHLEB", 'A', "000001,00", "0000x1,00"), "D2"},           // not a price
        {Receipt('1', 1, "CHLEB", 'A', "000001,00", "000011,01"), "E0"},           // over the limit
        {Receipt('1', 1, "CHLEB", 'A', "000001,00", "000001,00").substr(1), "D2"}, // short
    };
    for (const Case& c : cases)
        EXPECT_EQ(Exchange(d, "PD", c.data), F(c.code)) << c.data;
    EXPECT_EQ(d.State().registers[0].status, 'T');
}

TEST(Nx3DeviceSales, SaleStoresTheDocumentUntilPrintedAndCountsTheDay) {
    Nx3Device d;
    Exchange(d, "PC", "3    51,00");
    EXPECT_EQ(Exchange(d, "PD", Receipt('3', 1, "CHLEB", 'A', "000002,00", "000012,50")), kD1);
    const TransactionRegister& r = d.State().registers[2];
    EXPECT_EQ(r.status, 'N');
    EXPECT_TRUE(r.documentWaiting);
    EXPECT_EQ(r.lastSale, 2500);
    EXPECT_EQ(r.lastSaleVat, 467); // 25,00 x 23 / 123
    EXPECT_EQ(d.State().totalizers.grossSales[0], 2500);
    EXPECT_EQ(d.State().dayGross[0], 2500);
    EXPECT_EQ(d.State().dayReceipts, 1);
    EXPECT_TRUE(d.State().paperRoll.empty());

    EXPECT_EQ(Exchange(d, "PB", "300001"), kD1);
    EXPECT_EQ(d.State().paperRoll.front(), "PARAGON FISKALNY");
    EXPECT_EQ(d.State().paperRoll.at(2), "  2,00 x 12,50 = 25,00 A");
    EXPECT_FALSE(r.documentWaiting);
    EXPECT_EQ(Exchange(d, "PB", "300001"), F("D2"));
}

TEST(Nx3DeviceSales, AnOpenTransactionRunsOutOfTimeAndItsNextSaleHearsD4) {
    struct Case {
        int timeout;      // seconds; 0 off
        int waited;       // seconds between the start and the command
        std::string code; // of the command
        std::string data;
        std::string answer;
        char status; // register 1 afterwards
    };
    const std::string sale = Receipt('1', 1, "CHLEB", 'A', "000001,00", "000001,00");
    const std::string payment = "1EUR000010,000004,3000000043,00";
    const Case cases[] = {
        {0, 100000, "PD", sale, kD1, 'N'},               // off by default
        {60, 59, "PD", sale, kD1, 'N'},                  // in time
        {60, 60, "PD", sale, F("D4"), 'N'},              // at its moment
        {60, 61, "PF", payment, F("DE"), 'N'},           // no sale: the transaction is simply gone
        {60, 61, "PC", "1    11,00", kD1 + F("2"), 'T'}, // the register takes a new one
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code + " after " + std::to_string(c.waited));
        std::int64_t host = 1'000'000;
        Nx3Device d;
        d.SetHostClock([&host] { return host; });
        d.State().transactionTimeoutSeconds = c.timeout;
        ASSERT_EQ(Exchange(d, "PC", "1    11,00"), kD1 + F("1"));
        host += c.waited;
        EXPECT_EQ(Exchange(d, c.code, c.data), c.answer);
        const TransactionRegister& r = d.State().registers[0];
        EXPECT_EQ(r.status, c.status);
        const bool cancelled = c.timeout > 0 && c.waited >= c.timeout;
        EXPECT_EQ(d.State().totalizers.cancelledReceipts, cancelled ? 1 : 0);
        if (cancelled) {
            EXPECT_EQ(d.State().paperRoll.front(), "TRANSAKCJA 00001 ANULOWANA");
        }
        // Told once: the sale after the "D4" finds no transaction.
        if (c.answer == F("D4")) {
            EXPECT_EQ(Exchange(d, c.code, c.data), F("DE"));
        }
    }
}

TEST(Nx3DeviceSales, ARamErrorRefusesSalesAndGoodsInformationWithD6) {
    Nx3Device d;
    Exchange(d, "PC", "1    11,00");
    d.State().ramError = true;
    EXPECT_EQ(Exchange(d, "PD", Receipt('1', 1, "CHLEB", 'A', "000001,00", "000001,00")), F("D6"));
    EXPECT_EQ(Exchange(d, "LE", Pad("CHLEB ZWYKLY", 40)), F("D6"));
    EXPECT_EQ(d.State().registers[0].status, 'T');
    EXPECT_EQ(Ask(d, "X1"), kI1 + kD1); // the RAM reset clears it
    EXPECT_FALSE(d.State().ramError);
}

TEST(Nx3DeviceSales, QuantityZeroCancelsWithoutADocument) {
    Nx3Device d;
    Exchange(d, "PC", "1    51,00");
    EXPECT_EQ(Exchange(d, "PD", Receipt('1', 1, "", ' ', "000000,00", "000000,00")), kD1);
    EXPECT_EQ(d.State().registers[0].status, 'N');
    EXPECT_FALSE(d.State().registers[0].documentWaiting);
    EXPECT_EQ(d.State().totalizers.cancelledReceipts, 1);
}

TEST(Nx3DeviceSales, CurrencyPaymentOnceAndLoyaltyGoOnTheDocument) {
    Nx3Device d;
    EXPECT_EQ(Exchange(d, "PF", "1EUR000050,000004,3000000215,00"), F("DE"));
    Exchange(d, "PC", "1   216,00");
    EXPECT_EQ(Exchange(d, "PF", "1EUR000050,000004,3000000215,00"), kD1);
    EXPECT_EQ(Exchange(d, "PF", "1EUR000050,000004,3000000215,00"), F("DF"));
    EXPECT_EQ(Exchange(d, "RA", "100002" + Pad("AB12", 20) + "000150000001200"), F("A0"));
    EXPECT_EQ(Exchange(d, "RA", "100001" + Pad("AB12", 20) + "000150000001200"), kD1);
    Exchange(d, "PD", Receipt('1', 1, "KAWA", 'B', "000001,00", "000010,00"));
    Exchange(d, "PB", "100001");
    const auto& roll = d.State().paperRoll;
    EXPECT_NE(std::find(roll.begin(), roll.end(),
                        "WP\xA3"
                        "ATA EUR 50,00 KURS 4,3000 = 215,00 PLN"),
              roll.end());
    EXPECT_NE(std::find(roll.begin(), roll.end(),
                        "KARTA LOJALNO\x8C"
                        "CIOWA AB12 PUNKTY 15 SUMA 1200"),
              roll.end());
}

TEST(Nx3DeviceSales, DocumentsAreInTheCurrencyTheDeviceKeeps) {
    Nx3Device d;
    d.State().currentCurrency = "EUR";
    Exchange(d, "PC", "1   216,00");
    Exchange(d, "PD", Receipt('1', 1, "KAWA", 'B', "000001,00", "000010,00"));
    Exchange(d, "PB", "100001");
    const auto& roll = d.State().paperRoll;
    EXPECT_NE(std::find(roll.begin(), roll.end(), "SUMA EUR 10,00"), roll.end());
}

TEST(Nx3DeviceSales, PrintAndCurrencyPaymentRefuseWhatIsNotTheRegisters) {
    Nx3Device d;
    Exchange(d, "PC", "1   216,00");
    struct Case {
        const char* command;
        const char* data;
        const char* code;
    } cases[] = {
        {"PF", "1   000050,000004,3000000215,00", "D2"}, // no currency
        {"PF", "1 EU000050,000004,3000000215,00", "D2"},
        {"PF", "1eur000050,000004,3000000215,00", "D2"},
        {"PF", "1E1R000050,000004,3000000215,00", "D2"},
        {"PF", "1PLN000050,000004,3000000215,00", "D2"}, // the device's own
        {"PF", "1USD000050,000004,3000000215,00", "D1"},
        {"PB", "100001", "D2"}, // nothing sold yet
        {"PD", nullptr, "D1"},
        {"PB", "100002", "A0"},
        {"PB", "1000x1", "D2"},
        {"PB", "100001", "D1"},
    };
    for (const Case& c : cases) {
        const std::string data = c.data ? c.data : Receipt('1', 1, "KAWA", 'B', "000001,00", "000010,00");
        EXPECT_EQ(Exchange(d, c.command, data), F(c.code)) << c.command << " " << data;
    }
}

// The totalizer as "T2" reports it: cancelled receipts, gross sales A..G, cancelled amount, receipts.
std::string Totalizer(int cancelled, const std::string& grossA, const std::string& cancelledAmount,
                      int receipts) {
    char head[8], tail[8];
    std::snprintf(head, sizeof head, "%04d", cancelled);
    std::snprintf(tail, sizeof tail, "%05d", receipts);
    std::string gross = Pad(grossA, 11);
    for (int i = 1; i < 7; ++i)
        gross += Pad("0,00", 11);
    return kI1 + F(head + std::string("00") + "00043" + gross + Pad(cancelledAmount, 11) + tail) + kD1;
}

TEST(Nx3DeviceSales, CancelledReceiptsAndAmountsPastTheRangeReachTheTotalizer) {
    Nx3Device d;
    d.State().totalizers.grossSales[0] = 9999999000;
    struct Case {
        const char* quantity;
        const char* price;
        const char* code;
        std::string totalizer;
    } cases[] = {
        {"000000,00", "000012,50", "D1", Totalizer(1, "99999990,00", "12,50", 0)},
        {"000000,00", "000000,00", "D1", Totalizer(2, "99999990,00", "12,50", 0)},
        {"001000,00", "001000,00", "D3", Totalizer(2, "99999990,00", "12,50", 0)}, // 1 000 000,00
        {"000001,00", "000010,00", "D3", Totalizer(2, "99999990,00", "12,50", 0)}, // totalizer A full
        {"000001,00", "000009,99", "D1", Totalizer(2, "99999999,99", "12,50", 1)},
    };
    for (const Case& c : cases) {
        if (d.State().registers[0].status != 'T')
            Exchange(d, "PC", "1999999,99");
        const std::string line =
            Receipt('1', d.State().registers[0].transactionNumber, "CHLEB", 'A', c.quantity, c.price);
        EXPECT_EQ(Exchange(d, "PD", line), F(c.code)) << c.quantity << " x " << c.price;
        EXPECT_EQ(Ask(d, "T2"), c.totalizer) << c.quantity << " x " << c.price;
    }
}

TEST(Nx3DeviceSales, GoodsListKeepsRateChangesForLE) {
    Nx3Device d;
    d.State().goods.clear();
    const auto sell = [&d](int tran, char ptu) {
        Exchange(d, "PC", "1   100,00");
        return Exchange(d, "PD", Receipt('1', tran, "MLEKO 3,2%", ptu, "000001,00", "000002,00"));
    };
    EXPECT_EQ(Exchange(d, "LE", Pad("", 40)), F("D2"));
    sell(1, 'A');
    const std::string name = std::string("MLEKO 3,2%") + std::string(30, ' ');
    EXPECT_EQ(Exchange(d, "LE", name), kD1 + F("AN  023,00"));
    sell(2, 'B'); // 23 % down to 8 %
    EXPECT_EQ(Exchange(d, "LE", name), kD1 + F("BT  0 8,00"));
    EXPECT_EQ(sell(3, 'A'), F("DB")); // back up after a cut
}

TEST(DeviceStateFile, EveryFieldSurvivesTheTextAndUnknownKeysAreSkipped) {
    DeviceState s;
    s.uniqueNumber = "XYZ\\1\n";
    s.status1 = 0xA1;
    s.vatRates = {2200, 700, 9999, 9999, 9998, 0, 9999};
    s.registers[4] = {17, 'T', true, 1250, 234};
    s.sales[4] = {5100,
                  "WP\xA3"
                  "ATA",
                  "",
                  {"PARAGON FISKALNY", "x=y"}};
    s.goods = {{"CHLEB", 'A', true}};
    s.totalizers.grossSales[6] = 99;
    s.paperRoll = {"a", "", "\x01"};
    s.lastTransactionNumber = 17;
    const std::string text = DeviceStateFile::ToText(s) + "laterBranchField=1\n# comment\n";
    DeviceState back;
    std::string error;
    ASSERT_TRUE(DeviceStateFile::FromText(text, back, error)) << error;
    EXPECT_EQ(DeviceStateFile::ToText(back), DeviceStateFile::ToText(s));
    EXPECT_EQ(back.registers[4].status, 'T');
    EXPECT_EQ(back.sales[4].document.at(1), "x=y");
}

// Beside a temporary file another emulator (or a crash) left, and on a full disk: the state saved,
// or the old one whole.
TEST(DeviceStateFile, SavedStateReplacesTheOldOneWholeOrNotAtAll) {
    nubra::testing::FullFolder full;
    if (!full.Ready())
        GTEST_SKIP() << full.Why();
    DeviceStateFile file(full.Path() + "stan.txt");
    DeviceState s;
    ASSERT_TRUE(full.Put("stan.txt.tmp", "left by another nx3sim"));
    ASSERT_TRUE(file.Save(s));
    const std::string old = DeviceStateFile::ToText(s);
    std::ifstream in(full.Path() + "stan.txt", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), old);
    ASSERT_TRUE(full.Fill());
    s.lastTransactionNumber = 18;
    EXPECT_FALSE(file.Save(s));
    std::ifstream again(full.Path() + "stan.txt", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(again), {}), old);
}

TEST(DeviceStateFile, SettingsServiceAndReportBlocksSurviveTheText) {
    DeviceState s;
    s.fiscalMemory.resize(2);
    s.fiscalMemory[1] = {7, "250203", {1, 2, 3, 4, 5, 6, 7}, {2300, 800, 500, 0, 9998, 9999, 9999}, 9};
    s.readOnly = true;
    s.printLineMs = 50;
    s.postNumbers = {1, 2, 3, 4, 5, 6, 7, 99};
    s.waitingTime = 12;
    s.clockSetSinceReport = true;
    s.pendingHourShift = -1;
    s.header[3] = {"NIP 1=2\\3", true, false};
    s.footer[2] = "DO ZOBACZENIA";
    s.currencyChangeDate = "260101";
    s.currencyChangeTime = "1230";
    s.nextCurrency = "EUR";
    s.currentCurrency = "EUR";
    s.sdCard = SdCard::Closed;
    s.templates.erase(3);
    s.templates[40].rows[19] = "OSTATNI";
    s.paperCuts = 4;
    const std::string text = DeviceStateFile::ToText(s);
    DeviceState back;
    std::string error;
    ASSERT_TRUE(DeviceStateFile::FromText(text, back, error)) << error;
    EXPECT_EQ(DeviceStateFile::ToText(back), text);
    EXPECT_NE(text, DeviceStateFile::ToText(DeviceState{}));
    EXPECT_EQ(back.fiscalMemory.size(), 2u);
    EXPECT_EQ(back.fiscalMemory[1].receipts, 9);
    EXPECT_TRUE(back.readOnly);
    EXPECT_EQ(back.printLineMs, 0); // the pacing comes from the command line
    EXPECT_EQ(back.postNumbers[7], 99);
    EXPECT_EQ(back.waitingTime, 12);
    EXPECT_TRUE(back.clockSetSinceReport);
    EXPECT_EQ(back.pendingHourShift, -1);
    EXPECT_EQ(back.header[3].text, s.header[3].text);
    EXPECT_TRUE(back.header[3].wide);
    EXPECT_FALSE(back.header[3].high);
    EXPECT_EQ(back.footer[2], "DO ZOBACZENIA");
    EXPECT_EQ(back.currencyChangeDate, "260101");
    EXPECT_EQ(back.currencyChangeTime, "1230");
    EXPECT_EQ(back.nextCurrency, "EUR");
    EXPECT_EQ(back.currentCurrency, "EUR");
    EXPECT_EQ(back.sdCard, SdCard::Closed);
    EXPECT_EQ(back.templates.count(3), 0u);
    EXPECT_EQ(back.templates.at(40).rows[19], "OSTATNI");
    EXPECT_EQ(back.paperCuts, 4);
    std::string refused;
    EXPECT_FALSE(DeviceStateFile::FromText("sdCard=4\n", back, refused));
    EXPECT_EQ(refused, "wiersz 1: niepoprawna wartość sdCard");
}

TEST(DeviceStateFile, DamagedTextIsReportedWithItsLine) {
    struct Case {
        const char* text;
        const char* error;
    } cases[] = {
        {"# x\nnip\n", "wiersz 2: brak klucza i wartości"},
        {"ramResets=abc\n", "wiersz 1: niepoprawna wartość ramResets"},
        {"vatRates=1 2 3\n", "wiersz 1: niepoprawna wartość vatRates"},
        {"\nuniqueNumber=a\\q\n", "wiersz 2: niepoprawna wartość uniqueNumber"},
        {"goods.count=99999999999\n", "wiersz 1: niepoprawna wartość goods.count"},
        {"goods.count=1\ngoods.0.name=A\n", ""},
    };
    for (const Case& c : cases) {
        DeviceState s;
        std::string error;
        const bool ok = DeviceStateFile::FromText(c.text, s, error);
        EXPECT_EQ(error, c.error) << c.text;
        EXPECT_EQ(ok, std::string(c.error).empty()) << c.text;
    }
}

} // namespace

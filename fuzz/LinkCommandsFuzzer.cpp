// libFuzzer entry: the link's command methods against any answers: every one that reads data from the
// printer, the settings snapshot built on them, and those that read nothing but their codes.
// Later command groups append their rows at the end of the table, so the seeds keep their meaning.
#include <cstdio>

#include "FlatJson.h"
#include "LinkHarness.h"
#include "SettingsSnapshot.h"

namespace {

using nubra::fuzz::LinkCase;
using nubra::fuzz::Require;

const std::vector<nubra::fuzz::LinkOperation> kOperations = {
    // Status and information queries.
    [](LinkCase& c) {
        std::string date, number;
        c.link.GetDayReportNo(date, number);
    },
    [](LinkCase& c) {
        std::string ramResets, rateSets;
        c.link.GetZeroRam(ramResets, rateSets);
    },
    [](LinkCase& c) {
        std::string uniqueNo, nip;
        unsigned char s1 = 0, s2 = 0;
        c.link.GetStatus2Letter(uniqueNo, nip, s1, s2);
    },
    [](LinkCase& c) {
        std::string uniqueNo, nip;
        unsigned char s1 = 0, s2 = 0;
        c.link.GetStatus3Letter(uniqueNo, nip, s1, s2);
    },
    [](LinkCase& c) {
        std::string uniqueNo, nip;
        unsigned char s1 = 0, s2 = 0;
        c.link.GetStatus3LetterPI(uniqueNo, nip, s1, s2);
    },
    [](LinkCase& c) {
        std::string number;
        c.link.GetErrorNumber(number);
    },
    [](LinkCase& c) {
        std::string reports, f5, f6, f7, f8;
        c.link.GetExtStatus(reports, f5, f6, f7, f8);
    },
    [](LinkCase& c) {
        std::string tranNo, status, printFlag, lastSale, lastPtu;
        c.link.GetRegInfo(c.a, tranNo, status, printFlag, lastSale, lastPtu);
    },
    [](LinkCase& c) {
        nubra::Totalizer totalizer;
        c.link.GetTotalizer(totalizer);
    },
    [](LinkCase& c) {
        std::string data;
        c.link.GetDeviceInfo(std::string(1, static_cast<char>(c.a)), data);
    },
    [](LinkCase& c) { c.link.SetStatus(c.a, c.b); },
    [](LinkCase& c) { c.link.DetectCodePage(); },
    // Settings.
    [](LinkCase& c) {
        nubra::PtuRates rates;
        if (c.link.GetPtu(rates))
            for (const std::string& rate : rates)
                nubra::TNX3Class::PtuRateValue(rate);
    },
    // Fiscal and service operations.
    [](LinkCase& c) { c.link.TestPrint(); },
    // Settings.
    [](LinkCase& c) {
        nubra::PostNumbers numbers;
        c.link.GetPostNumbers(numbers);
    },
    [](LinkCase& c) {
        int minutes = 0;
        c.link.GetWaitingTime(minutes);
    },
    [](LinkCase& c) {
        std::string dateTime;
        c.link.GetDateTime(dateTime);
    },
    [](LinkCase& c) {
        std::string text;
        bool wide = false, high = false;
        c.link.ReadHeaderLineCmd(1 + c.a % 4, text, wide, high);
    },
    [](LinkCase& c) {
        nubra::FooterLines lines;
        c.link.ReadFooter(lines);
    },
    [](LinkCase& c) {
        c.link.SetPostNumbers({"1", "2", "3", "4", "5", "6", "7", "8"});
    },
    [](LinkCase& c) { c.link.SetDateTime("261208193012"); },
    [](LinkCase& c) { c.link.WriteHeaderLine(1 + c.a % 4, "NAGLOWEK", c.b & 1, c.b & 2); },
    // Sales.
    [](LinkCase& c) {
        int tranNo = 0;
        c.link.StartTrans(1 + c.a % 8, c.b * 100, tranNo);
    },
    [](LinkCase& c) {
        nubra::CommodInfo info;
        c.link.GetCommodInfo("CHLEB", info);
    },
    // Reports: the periodic report streamed line by line, as the transfer reads it.
    [](LinkCase& c) {
        bool ok = c.link.SendPeriodReport("261201", "261208");
        std::string line;
        for (int lines = 0; ok && lines < 4096; ++lines) {
            ok = c.link.ReceiveReportLine(line);
            if (!c.link.ReportLineReceived())
                break;
        }
        Require(!ok || c.link.ReportLineReceived() || c.link.LastReply() == "D1" ||
                    c.link.LastReply() == "I1",
                "a report ends only with its closing code");
    },
    [](LinkCase& c) { c.link.MonthlyReport("2612"); },
    [](LinkCase& c) { c.link.SettlementReport(c.a & 1, "261201", "261208"); },
    // Fiscal and service operations.
    [](LinkCase& c) {
        std::string date, time, next, current;
        c.link.GetCurrencyChange(date, time, next, current);
    },
    [](LinkCase& c) {
        nubra::TemplateFields fields;
        c.link.ReadTemplate(1 + c.a % 40, fields);
    },
    [](LinkCase& c) { c.link.SetCurrencyChange("270101", "0000", "EUR"); },
    [](LinkCase& c) { c.link.ResetRam(); },
    [](LinkCase& c) { c.link.InitSdCard(); },
    // The settings snapshot: whatever a printer answers, the copy taken of it can be saved and loaded.
    [](LinkCase& c) {
        nubra::toolkit::SettingsSnapshot snapshot;
        if (!nubra::toolkit::ReadSnapshot(c.link, "2026-12-08 19:30:12", snapshot))
            return;
        try {
            const auto loaded = nubra::toolkit::SnapshotFromJson(nubra::toolkit::SnapshotToJson(snapshot));
            Require(loaded.values == snapshot.values, "a snapshot taken loads as it was saved");
        } catch (const nubra::toolkit::JsonError& e) {
            std::fprintf(stderr, "%s\n", e.what());
            Require(false, "a snapshot taken loads again");
        }
    },
    // The commands that read nothing but their codes, one chosen by the second parameter.
    [](LinkCase& c) {
        const nubra::SaleGoods goods{"CHLEB", "A", 100, 450};
        const nubra::SalePayment payment{"G", "", "", "", "", "", ""};
        const nubra::SaleCustomer customer{"FIRMA", "", "UL. KROTKA 1", "LODZ", "526-025-02-74"};
        switch (c.b % 20) {
        case 0:
            c.link.SetPtu({"2300", "800", "500", "0", "9998", "9999", "9999"});
            break;
        case 1:
            c.link.SetWaitingTime(c.a % 100);
            break;
        case 2:
            c.link.MoveTime(c.a & 1 ? "+" : "-");
            break;
        case 3:
            c.link.SetTime("193012");
            break;
        case 4:
            c.link.WriteFooter({"DZIEKUJEMY", "", ""});
            break;
        case 5:
            c.link.Fiscalize("2300", "800", "500", "0", "9998", "9999", "9999");
            break;
        case 6:
            c.link.PrepareNip("526-025-02-74");
            break;
        case 7:
            c.link.CloseSdCard();
            break;
        case 8:
            c.link.PrintTemplate(1 + c.a % 40, "T", {});
            break;
        case 9:
            c.link.DayReport();
            break;
        case 10:
            c.link.PeriodReport("261201", "261208");
            break;
        case 11:
            c.link.ConstantReport();
            break;
        case 12:
            c.link.PeriodSummary("261201", "261208");
            break;
        case 13:
            c.link.CommodityList();
            break;
        case 14:
            c.link.SellReceiptCash(1, c.a, goods, payment);
            break;
        case 15:
            c.link.SellInvoiceCard(1, c.a, "F", customer, goods, payment);
            break;
        case 16:
            c.link.PrintDoc(1, c.a);
            break;
        case 17:
            c.link.PayCurrency(1, "EUR", 1000, 43000);
            break;
        case 18:
            c.link.SetLoyaltyInfo(1, c.a, "1234", 10, 100);
            break;
        default:
            c.link.ConfirmExchange(c.a, customer, "10,00", "EUR", "4,3000", "43,00");
            break;
        }
    },
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return nubra::fuzz::RunLinkCase(data, size, kOperations);
}

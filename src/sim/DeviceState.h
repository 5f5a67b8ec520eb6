#pragma once
// Everything the emulated NX-3 E remembers. Plain data: tests and the program set it directly; the
// device derives its answers from it, so the answers stay consistent with each other. Text fields are
// Windows-1250; amounts are integer hundredths.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "FiscalMemory.h"

namespace nubra::sim {

struct TransactionRegister {
    int transactionNumber = 0;
    // N none, T open, P, F, W, X, D: the device's transaction states.
    char status = 'N';
    bool documentWaiting = false;
    std::int64_t lastSale = 0;
    std::int64_t lastSaleVat = 0;
    // Device-clock moment the open transaction started (for the time-out), and whether the last one
    // ran out of time: the next sale in the register hears of it ("D4").
    std::int64_t startedAt = 0;
    bool timedOut = false;
};

// Sales in one register: the open transaction's limit and what it collected before its sale line,
// and the document of the last sale, kept until "PB" prints it.
struct RegisterSale {
    std::int64_t limit = 0;
    std::string currencyPayment; // printed line of a "PF" payment; empty when none
    std::string loyalty;         // printed line of the "RA" data; empty when none
    std::vector<std::string> document;
};

// One name of the device's goods list: the VAT letter it was last sold under, and whether that
// letter has ever changed.
struct SoldGoods {
    std::string name;
    char letter = 'A';
    bool rateChanged = false;
};

struct Totalizers {
    int cancelledReceipts = 0;
    int goodsBaseChanges = 0;
    // Gross sales per VAT letter A..G.
    std::array<std::int64_t, 7> grossSales{};
    std::int64_t cancelledAmount = 0;
    int receiptCount = 0;
};

struct ExtendedStatus {
    int unprintedReports = 0;
    bool ready = true;
    bool presenter = false;
    bool paperNearEnd = false;
    bool paperMoving = true;
};

namespace status1 {
inline constexpr unsigned char kLatin = 0x80;
inline constexpr unsigned char kMazoviaMark = 0x40;
inline constexpr unsigned char kAlwaysSet = 0x20;
inline constexpr unsigned char kEuro = 0x01;
} // namespace status1

namespace status2 {
inline constexpr unsigned char kComma = 0x80;
inline constexpr unsigned char kAutoDailyReport = 0x40;
inline constexpr unsigned char kAlwaysSet = 0x20;
inline constexpr unsigned char kConfirmations = 0x01;
} // namespace status2

// --- fiscal and service operations ---
enum class SdCard { None, Blank, Initialised, Closed };

// A message template: two name lines of 40 characters and twenty row descriptions of 20.
struct MessageTemplate {
    std::array<std::string, 2> name;
    std::array<std::string, 20> rows;
};

// The templates a fresh device holds, by number 1..40.
std::map<int, MessageTemplate> DefaultTemplates();

// What a cut leaves on the paper roll.
inline constexpr const char* kPaperCut = "- - - - - - - - - - - - - - - - - - - -";

// One line of the receipt header: Windows-1250 text of up to 40 characters and its print attributes.
struct HeaderLine {
    std::string text;
    bool wide = false;
    bool high = false;
};

struct DeviceState {
    // Three letters and digits; the two-letter form answered to "B4" is derived from it.
    std::string uniqueNumber = "ABC12345678";
    std::string nip = "526-025-02-74";
    unsigned char status1 = status1::kMazoviaMark | status1::kAlwaysSet;
    unsigned char status2 = status2::kComma | status2::kAlwaysSet | status2::kConfirmations;

    // yymmdd and number of the last daily report; the next one gets number + 1.
    std::string lastDailyReportDate = "250131";
    int lastDailyReportNumber = 42;
    int ramResets = 1;
    int rateSets = 1;
    int errorNumber = 0;
    ExtendedStatus extended;

    // Answer to "ES" "W": positions 5-7 are a three-digit number; 3 or more means "PI" carries the
    // full unique number.
    std::string infoW = "NX3E003 01.07";
    // "ES" "S": a 40-character text, then these flags as 8 hex digits (bit 3: the tax-number header
    // line may be written).
    std::string infoSText = "NX-3 E DRUKARKA FISKALNA";
    std::uint32_t infoSFlags = 0x00000008;

    // VAT rates A..G in hundredths of a percent; 9999 inactive, 9998 exempt.
    std::array<int, 7> vatRates{2300, 800, 500, 0, 9998, 9999, 9999};
    bool fiscal = false;

    std::array<TransactionRegister, 8> registers{};
    Totalizers totalizers;
    // What the next daily report closes: gross sales per VAT letter A..G and receipts since the last one.
    std::array<std::int64_t, 7> dayGross{};
    int dayReceipts = 0;

    // Sales: the registers' sale data (beside `registers`), the last transaction number given out
    // (the next start gets the following one) and the goods list the sales fill, at most
    // kGoodsCapacity names.
    std::array<RegisterSale, 8> sales{};
    static constexpr std::size_t kGoodsCapacity = 200;
    int lastTransactionNumber = 0;
    std::vector<SoldGoods> goods = {{"CHLEB ZWYKLY", 'C'}, {"KAWA MIELONA", 'A'}, {"SOK JABLKOWY", 'B'}};

    // --- reports ---
    // The fiscal memory: every daily report made, oldest first; the sample history ends with the last
    // daily report above. A read-only device ("TYLKO ODCZYT": its fiscal life is over) makes no more
    // daily reports, and only such a device makes the settlement report.
    std::vector<DailyRecord> fiscalMemory =
        SampleFiscalMemory(lastDailyReportNumber, lastDailyReportNumber, lastDailyReportDate, vatRates);
    bool readOnly = false;
    // Daily reports the fiscal memory has room for; a report that leaves fewer than
    // kFiscalMemoryWarning free closes with "D3", and once it is full the device turns read-only.
    std::size_t fiscalMemoryCapacity = 1830;
    static constexpr std::size_t kFiscalMemoryWarning = 30;
    // A RAM test found an error ("D6" for sales and the daily report); a RAM reset clears it.
    bool ramError = false;
    // Seconds an open transaction may last before the device cancels it; 0 never.
    int transactionTimeoutSeconds = 0;
    // How long printing a report line takes; 0 prints at once.
    int printLineMs = 0;

    // Device clock as seconds from the host clock.
    std::int64_t clockOffsetSeconds = 0;

    // --- settings: workstations, waiting time, clock changes, header and footer ---
    // Workstation numbers of the transaction registers 1..8.
    std::array<int, 8> postNumbers{1, 1, 1, 1, 1, 1, 1, 1};
    // Minutes the printer waits for a document to be finished.
    int waitingTime = 5;
    // The clock was set ("E2"/"E3") since the last daily report: a second setting is refused ("D3").
    bool clockSetSinceReport = false;
    // The summer/winter change armed by "K2" for the coming night: +1 or -1 hour, 0 none; it happens
    // at the first 2:00 (forward) or 3:00 (back) of the device clock after this moment.
    int pendingHourShift = 0;
    std::int64_t hourShiftArmedAt = 0;
    // Header lines 1-3 and the tax-number line (4).
    std::array<HeaderLine, 4> header{{{"NUBRA SKLEP", true, true},
                                      {"UL. PROSTA 1", false, false},
                                      {"00-001 WARSZAWA", false, false},
                                      {"NIP 526-025-02-74", false, false}}};
    std::array<std::string, 3> footer{"DZIEKUJEMY ZA ZAKUPY", "ZAPRASZAMY PONOWNIE", ""};

    // What the printer has printed, one entry per line, oldest first.
    std::vector<std::string> paperRoll;

    // --- fiscal and service operations ---
    // The scheduled change of the accounting currency ("EI", "EJ"): yymmdd, hhmm and the next
    // currency; nothing is scheduled on a fresh device. Once the device clock reaches it, the next
    // currency becomes the current one (status byte 1 bit 0 tells EURO) and the schedule is empty; a
    // moment already past when it was set (currencyScheduledAt) stays as it is.
    std::string currencyChangeDate = "000000";
    std::string currencyChangeTime = "0000";
    std::string nextCurrency = "   ";
    std::string currentCurrency = "PLN";
    std::int64_t currencyScheduledAt = 0;
    SdCard sdCard = SdCard::Blank;
    // A number missing here is not defined ("E2").
    std::map<int, MessageTemplate> templates = DefaultTemplates();
    int paperCuts = 0;
};

} // namespace nubra::sim

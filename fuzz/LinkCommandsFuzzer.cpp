// libFuzzer entry: every command method that reads data from the printer, against any answers.
// Later command groups append their rows at the end of the table, so the seeds keep their meaning.
#include "LinkHarness.h"

namespace {

using nubra::fuzz::LinkCase;

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
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return nubra::fuzz::RunLinkCase(data, size, kOperations);
}

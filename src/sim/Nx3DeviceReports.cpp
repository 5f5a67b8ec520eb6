// Daily, periodic, monthly, fixed-description and settlement reports, the goods list, and the periodic
// report sent as text. Every report is printed on the paper roll from the fiscal memory.
#include "Nx3Device.h"

#include <algorithm>

namespace nubra::sim {
namespace {

const char* const kPeriodTitle = "RAPORT FISKALNY OKRESOWY";
const char* const kMonthTitle = "RAPORT FISKALNY MIESIECZNY";
const char* const kSettlementTitle = "RAPORT ROZLICZENIOWY";
constexpr std::size_t kRangeFrames = 2;
constexpr std::size_t kUniqueWidth = 12;

} // namespace

char Nx3Device::DecimalMark() const {
    return (state_.status2 & status2::kComma) ? ',' : '.';
}

bool Nx3Device::FiscalMemoryFull() const {
    return state_.fiscalMemory.size() >= state_.fiscalMemoryCapacity;
}

bool Nx3Device::PrintAndFinish(const std::vector<std::string>& lines, const char* closing) {
    // The closing code comes when the paper has moved past the last line.
    nextFrameDelay_ = std::chrono::milliseconds(state_.printLineMs * static_cast<std::int64_t>(lines.size()));
    const bool done = Finish(closing);
    if (done)
        state_.paperRoll.insert(state_.paperRoll.end(), lines.begin(), lines.end());
    return done;
}

void Nx3Device::CollectFrames(std::size_t count, CommandHandler done) {
    frames_.clear();
    framesWanted_ = count;
    framesDone_ = done;
    ExpectData(&Nx3Device::CollectFrame);
}

void Nx3Device::CollectFrame(const std::string& data) {
    frames_.push_back(data);
    if (frames_.size() < framesWanted_)
        ExpectData(&Nx3Device::CollectFrame);
    else
        (this->*framesDone_)();
}

void Nx3Device::DailyReport() {
    DeviceState& s = state_;
    if (s.readOnly) {
        SendCode("I0");
        return;
    }
    if (FiscalMemoryFull()) {
        // The last record is written: the device's fiscal life is over.
        s.readOnly = true;
        SendCode("DD");
        return;
    }
    if (s.ramError) {
        SendCode("D6");
        return;
    }
    const bool nothing = s.dayReceipts == 0 && std::all_of(s.dayGross.begin(), s.dayGross.end(),
                                                           [](std::int64_t gross) { return gross == 0; });
    if (nothing) {
        SendCode("D2");
        return;
    }
    Accept();
    const DailyRecord record{s.lastDailyReportNumber + 1, TodayYymmdd(s.clockOffsetSeconds), s.dayGross,
                             s.vatRates, s.dayReceipts};
    // Done all the same, but with the warning that the fiscal memory is nearly full.
    const bool nearlyFull =
        s.fiscalMemory.size() + 1 + DeviceState::kFiscalMemoryWarning > s.fiscalMemoryCapacity;
    if (!PrintAndFinish(DailyReportLines(record, DecimalMark()), nearlyFull ? "D3" : "D1"))
        return;
    s.fiscalMemory.push_back(record);
    s.lastDailyReportNumber = record.number;
    s.lastDailyReportDate = record.date;
    s.dayGross = {};
    s.dayReceipts = 0;
    // The day's totalizers start again from nothing.
    s.totalizers.grossSales = {};
    s.totalizers.cancelledAmount = 0;
    s.totalizers.cancelledReceipts = 0;
    s.totalizers.receiptCount = 0;
    // The clock may be set once again after each daily report.
    s.clockSetSinceReport = false;
}

void Nx3Device::PeriodReport() {
    Accept();
    CollectFrames(kRangeFrames, &Nx3Device::PrintPeriodReport);
}

bool Nx3Device::PickRange(std::vector<DailyRecord>& picked) {
    std::string refusal = SelectRecords(state_.fiscalMemory, frames_[0], frames_[1], picked);
    if (refusal.empty())
        return true;
    // The periodic report names its own code for a period without reports and for a date that is none.
    if ((command_ == "R1" || command_ == "R2") && (refusal == "X20142" || refusal == "X20144"))
        refusal = "D2";
    SendCode(refusal);
    return false;
}

void Nx3Device::PrintPeriodReport() {
    std::vector<DailyRecord> picked;
    if (PickRange(picked))
        PrintAndFinish(
            PeriodReportLines(kPeriodTitle, RangeText(frames_[0], frames_[1]), picked, DecimalMark()));
}

void Nx3Device::SubReport() {
    // The letter follows at once; only then does the device answer.
    ExpectData(&Nx3Device::SubReportLetter);
}

void Nx3Device::SubReportLetter(const std::string& data) {
    if (data == "M") {
        Accept();
        ExpectData(&Nx3Device::PrintMonthlyReport);
    } else if (data == "S") {
        Accept();
        PrintAndFinish(ConstantReportLines(state_.vatRates, state_.uniqueNumber, state_.nip, DecimalMark()));
    } else if (data == "P") {
        Accept();
        CollectFrames(kRangeFrames, &Nx3Device::PrintPeriodSummary);
    } else {
        SendCode("I2");
    }
}

void Nx3Device::PrintMonthlyReport(const std::string& month) {
    std::vector<DailyRecord> picked;
    const std::string refusal =
        SelectMonth(state_.fiscalMemory, month, TodayYymmdd(state_.clockOffsetSeconds), picked);
    if (!refusal.empty()) {
        SendCode(refusal);
        return;
    }
    PrintAndFinish(PeriodReportLines(kMonthTitle, "MIESIAC: 20" + month.substr(0, 2) + "-" + month.substr(2),
                                     picked, DecimalMark()));
}

void Nx3Device::PrintPeriodSummary() {
    std::vector<DailyRecord> picked;
    if (!PickRange(picked))
        return;
    std::vector<std::string> lines = {RangeText(frames_[0], frames_[1])};
    for (std::string& line : PeriodSummaryLines(picked, DecimalMark()))
        lines.push_back(std::move(line));
    PrintAndFinish(lines);
}

void Nx3Device::GoodsList() {
    if (state_.goods.empty()) {
        SendCode("D2");
        return;
    }
    Accept();
    std::vector<std::pair<std::string, char>> goods;
    for (const SoldGoods& g : state_.goods)
        goods.emplace_back(g.name, g.letter);
    PrintAndFinish(GoodsListLines(goods));
}

void Nx3Device::SendPeriodReport() {
    Accept();
    CollectFrames(kRangeFrames, &Nx3Device::StreamPeriodReport);
}

void Nx3Device::StreamPeriodReport() {
    std::vector<DailyRecord> picked;
    if (!PickRange(picked))
        return;
    for (const std::string& line :
         PeriodReportLines(kPeriodTitle, RangeText(frames_[0], frames_[1]), picked, DecimalMark())) {
        SendFrame("WE");
        SendText(line);
    }
    Finish();
}

void Nx3Device::SettlementReport() {
    if (!state_.readOnly) {
        SendCode("I6");
        return;
    }
    Accept();
    frames_.clear();
    ExpectData(&Nx3Device::SettlementFrame);
}

void Nx3Device::SettlementFrame(const std::string& data) {
    frames_.push_back(data);
    // The older firmware's variant letter ("C" or "P") comes first.
    const bool variant = frames_.front().size() == 1;
    if (frames_.size() < (variant ? 4u : 3u)) {
        ExpectData(&Nx3Device::SettlementFrame);
        return;
    }
    if (variant)
        frames_.erase(frames_.begin());
    std::string unique = state_.uniqueNumber;
    unique.resize(kUniqueWidth, ' ');
    if (frames_[2] != unique) {
        SendCode("D2");
        return;
    }
    std::vector<DailyRecord> picked;
    if (PickRange(picked))
        PrintAndFinish(
            PeriodReportLines(kSettlementTitle, RangeText(frames_[0], frames_[1]), picked, DecimalMark()));
}

} // namespace nubra::sim

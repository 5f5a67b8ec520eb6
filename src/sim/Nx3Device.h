#pragma once
// The NX-3 E as the program sees it from the line. Bytes the program writes go in through Receive();
// the bytes the device answers come out of TakeOutput() (or TakeChunks(), which keeps the timing and
// hang-up marks a server must honour). No I/O and no clock, so it is tested byte by byte.
//
// Each command runs a small exchange: command code frame -> "I1" -> the data frames the command
// takes -> the closing code (+ data where the command returns some). A bad checksum on a command
// code gets "I5", on a data frame "D0"; an unknown command "I2".
//
// Not thread-safe: PtyServer serialises access.
#include "DeviceCodePage.h"
#include "DeviceState.h"
#include "FaultPlan.h"
#include "FrameParser.h"
#include "OperatorState.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nubra::sim {

struct OutputChunk {
    std::string bytes;
    // Wait this long after the previous chunk before sending this one.
    std::chrono::milliseconds delay{0};
    // Close the line once these bytes are out.
    bool hangUp = false;
};

class Nx3Device {
public:
    Nx3Device() = default;
    explicit Nx3Device(DeviceState state);

    void Receive(std::string_view bytes);
    // Everything answered so far, without timing marks.
    std::string TakeOutput();
    std::vector<OutputChunk> TakeChunks();

    // The host clock the device clock runs from, as local wall-clock seconds since 1970; tests fix it.
    using HostClock = std::function<std::int64_t()>;
    void SetHostClock(HostClock clock) { hostClock_ = std::move(clock); }
    // The device clock, local wall-clock seconds since 1970.
    std::int64_t DeviceSeconds() const;

    DeviceState& State() { return state_; }
    const DeviceState& State() const { return state_; }
    // Follows bit 7 of status byte 1, which "K4" changes.
    DeviceCodePage CodePage() const;
    // True between a command's "I1" and its last data frame.
    bool InExchange() const { return dataHandler_ != nullptr; }
    // Called with the state after every frame the device has handled (nx3sim keeps its state file
    // with it). Runs on the caller of Receive().
    void SetStateObserver(std::function<void(const DeviceState&)> observer) {
        observer_ = std::move(observer);
    }
    // The line was lost: a half-read frame and a half-done exchange are forgotten.
    void ResetLine();

    // Fault injection. Frame faults hit the frame the device sends `frame` frames from now.
    void InjectNoise(std::string bytes, std::size_t frame = 0);
    void CorruptChecksum(std::size_t frame = 0);
    void DelayFrame(std::chrono::milliseconds delay, std::size_t frame = 0);
    // Sends only the first `bytes` bytes of that frame, then the line closes.
    void HangUpInFrame(std::size_t bytes, std::size_t frame = 0);
    // The next time the command `code` runs, the line closes where its first answer (Command: the
    // device has not acted) or its closing code (Closing: the device has acted) would go.
    void HangUpOn(std::string code, FailAt at);
    // The next command code frame gets no answer at all.
    void SilenceNextCommand();
    // The next command is refused with `code`: two characters, or "X2" + four hex digits (sent as the
    // "X2" frame followed by a frame with the four digits).
    void FailNextCommand(std::string code, FailAt at = FailAt::Command);
    // Bytes with no frame in them, sent until stopped, as a scale left on the port would; the device
    // hears nothing meanwhile.
    void StartEndlessStream();
    void StopEndlessStream();
    bool Streaming() const { return faults_.streaming; }
    std::string StreamBytes(std::size_t count);
    const FaultPlan& Faults() const { return faults_; }

    static std::string DefaultNoise();

    // The operator's side (Nx3DeviceOperator.cpp): what a person does to the hardware.
    const OperatorState& Hand() const { return hand_; }
    // Paper, cover or a failure armed for one command; the lamps of "I6" follow.
    void SetHand(OperatorState hand);
    // The power goes: the line closes, whatever was still to be sent is lost, and the device hears
    // nothing until PowerOn().
    void PowerOff();
    // The device starts again from `state` (what survived the power cut), with no fault armed.
    void PowerOn(DeviceState state);
    // True once after PowerOff(): the server drops what it still holds for the line.
    bool TakePowerCut() { return std::exchange(powerCut_, false); }

private:
    using CommandHandler = void (Nx3Device::*)();
    using DataHandler = void (Nx3Device::*)(const std::string& data);

    static const std::map<std::string, CommandHandler>& Commands();

    void OnFrame(const ReceivedFrame& frame);
    void StartCommand(const std::string& code);
    void EndExchange();

    // Exchange building blocks for the command handlers.
    void Accept();
    void ExpectData(DataHandler handler, std::size_t fixedLength = 0);
    // Sends the closing code ("D1", or a code the device closes a done command with), or the armed
    // closing failure; true when the command's own code went out.
    bool Finish(const char* closing = "D1");
    void SendCode(const std::string& code);
    void SendText(const std::string& cp1250);
    void SendFrame(const std::string& payload);
    bool LineDown() const;
    std::string Amount(std::int64_t hundredths, std::size_t width) const;

    // Status and information queries.
    void DayReportNumber();
    void ResetCounters();
    void Status2Letter();
    void Status3Letter();
    void SendStatusBlock(const std::string& uniqueField);
    void DeviceInfo();
    void DeviceInfoSelector(const std::string& data);
    void FullUniqueNumber();
    void ErrorNumber();
    void ExtendedStatusQuery();
    void RegisterInfo();
    void RegisterInfoNumber(const std::string& data);
    void TotalizerQuery();
    void SetStatus();
    void SetStatusBytes(const std::string& data);

    // Settings (Nx3DeviceSettings.cpp).
    void VatRatesQuery();
    void SetVatRates();
    void SetVatRatesData(const std::string& data);
    void PostNumbersQuery();
    void SetPostNumbers();
    void SetPostNumbersData(const std::string& data);
    void SetWaitingTime();
    void SetWaitingTimeData(const std::string& data);
    void WaitingTimeQuery();
    void MoveTime();
    void MoveTimeData(const std::string& data);
    // What the clock brings about once its moment has passed, applied before each command: the hour
    // shift of "K2", the currency change of "EJ" and the time-out of open transactions.
    void ApplyDueClockEvents();
    void CancelTimedOutTransactions(std::int64_t now);
    void DateTimeQuery();
    void SetDateTime();
    void SetDateTimeData(const std::string& data);
    void SetTime();
    void SetTimeData(const std::string& data);
    // Sets the device clock to the given local wall-clock seconds, once per daily report.
    void SetClock(std::int64_t deviceSeconds);
    void HeaderLineQuery();
    void HeaderLineNumber(const std::string& data);
    void SetHeaderLine();
    void SetHeaderLineData(const std::string& data);
    void FooterQuery();
    void SetFooter();
    void SetFooterData(const std::string& data);

    // Sales (Nx3DeviceSales.cpp).
    void StartTransaction();
    void StartTransactionData(const std::string& data);
    void Sale();
    void SaleData(const std::string& data);
    void PrintDocument();
    void PrintDocumentData(const std::string& data);
    void CurrencyPayment();
    void CurrencyPaymentData(const std::string& data);
    void LoyaltyInfo();
    void LoyaltyInfoData(const std::string& data);
    void ExchangeConfirmation();
    void ExchangeConfirmationData(const std::string& data);
    void GoodsInfo();
    void GoodsInfoData(const std::string& data);
    // The register an open-transaction command names: nullptr after the refusal was sent.
    TransactionRegister* OpenRegister(char digit, const std::string* tranNo);
    std::string NativeCurrency() const;

    // Fiscal and service operations (Nx3DeviceService.cpp).
    void ServicePrint();
    void ServicePrintKind(const std::string& data);
    void PrintControlPrintout();
    void Fiscalize();
    void FiscalizeRates(const std::string& data);
    void PrepareNip();
    void PrepareNipData(const std::string& data);
    void CurrencyChangeQuery();
    void SetCurrencyChange();
    void SetCurrencyChangeData(const std::string& data);
    void ResetRam();
    void SdCardOrder();
    void SdCardOrderKind(const std::string& data);
    void TemplateQuery();
    void TemplateQueryNumber(const std::string& data);
    void TemplatePrint();
    void TemplatePrintData(const std::string& data);
    // A template number "01".."40" that is defined; otherwise the refusal is sent and nullptr returned.
    const MessageTemplate* DefinedTemplate(const std::string& number);
    // Raw printing: STX..ETX lines, EOT feeds, ENQ cuts.
    void PrintRaw(const ReceivedFrame& frame);
    void CutPaper();

    // Reports (Nx3DeviceReports.cpp).
    void DailyReport();
    void PeriodReport();
    void PrintPeriodReport();
    void SubReport();
    void SubReportLetter(const std::string& data);
    void PrintMonthlyReport(const std::string& month);
    void PrintPeriodSummary();
    void GoodsList();
    void SendPeriodReport();
    void StreamPeriodReport();
    void SettlementReport();
    void SettlementFrame(const std::string& data);
    // Gathers `count` data frames into frames_, then runs done.
    void CollectFrames(std::size_t count, CommandHandler done);
    void CollectFrame(const std::string& data);
    // The records of the range in frames_[0], frames_[1]; false when refused (the code is sent).
    bool PickRange(std::vector<DailyRecord>& picked);
    // Sends the closing code (or the armed closing failure) once the lines would be printed, and only
    // then puts them on the roll; true when the closing code went out.
    bool PrintAndFinish(const std::vector<std::string>& lines, const char* closing = "D1");
    // No room for another record: a daily report, a set of rates or a RAM reset is refused ("DD").
    bool FiscalMemoryFull() const;
    char DecimalMark() const;
    // The hardware's own refusal of the command, when it has one (the answer is sent).
    bool RefusedByHand(const std::string& code);

    DeviceState state_;
    OperatorState hand_;
    bool powerCut_ = false;
    FaultPlan faults_;
    FrameParser parser_;
    std::string command_;
    DataHandler dataHandler_ = nullptr;
    std::size_t framesSent_ = 0;
    std::vector<OutputChunk> output_;
    std::size_t streamPosition_ = 0;
    HostClock hostClock_;
    std::function<void(const DeviceState&)> observer_;
    // Data frames of the report command in progress.
    std::vector<std::string> frames_;
    std::size_t framesWanted_ = 0;
    CommandHandler framesDone_ = nullptr;
    // The next frame waits this long (a printout in progress).
    std::chrono::milliseconds nextFrameDelay_{0};
};

} // namespace nubra::sim

#pragma once
// The printer link: the one object through which the program talks to the NX-3 E. It owns the serial
// line, frames and checks every message, converts Polish letters to the printer's code page, logs the
// traffic and explains the printer's reply codes. Qt-free; the user is reached only through LinkUi.
//
// Threading: one thread only. The only re-entrancy is WaitForReply, which lets the window system run
// (LinkUi::ProcessMessages) between 10 ms reads; the wait window may then set AbortRequested.
//
// Errors: a lost line (failed write, no byte within the read time-out, 4096 bytes without a frame, a
// line that is gone) and a checksum mismatch raise nubra::LinkError with the Polish message. Raised
// after the last byte of a command that changes the device, the error says the outcome is unknown
// (GuardOutcome). Device error codes are not errors: CheckReply shows them in the error window and
// returns false.
//
// Text: every data field and reply is a Windows-1250 byte string (one byte per character); program
// messages and Descriptions are UTF-8.
#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "LinkUi.h"
#include "SerialLine.h"

namespace nubra {

class LinkError;

// Reply of "T2", the twelve fields in the order the printer sends them, each as received.
struct Totalizer {
    std::string CancelledReceipts; // 1-4
    std::string GoodsBaseChanges;  // 5-6
    std::string DayReportNumber;   // 7-11
    std::string GrossA;            // 12-22
    std::string GrossB;            // 23-33
    std::string GrossC;            // 34-44
    std::string GrossD;            // 45-55
    std::string GrossE;            // 56-66
    std::string GrossF;            // 67-77
    std::string GrossG;            // 78-88
    std::string CancelledAmount;   // 89-99
    std::string ReceiptCount;      // 100-104
};

// VAT rates A..G as the printer sends them: four characters of hundredths of a percent each.
using PtuRates = std::array<std::string, 7>;
// Workstation numbers of the transaction registers 1..8, two characters each.
using PostNumbers = std::array<std::string, 8>;
// The receipt footer: three lines of 40 characters.
using FooterLines = std::array<std::string, 3>;

// A message template: the two name lines, then the twenty rows (descriptions when read, data when
// printed).
using TemplateFields = std::array<std::string, 22>;

// The goods line of a sale: name, VAT letter, quantity and unit price in hundredths.
struct SaleGoods {
    std::string Name;
    std::string Ptu;
    std::int64_t Quantity = 0;
    std::int64_t Price = 0;
};

// How a sale is paid: the payment letter ("G" cash; "P" card with PIN, "K" without) and the card
// number; for a card also its catalogue data.
struct SalePayment {
    std::string Letter;
    std::string Number;
    std::string Tid;
    std::string Uid;
    std::string Name;
    std::string Validity;
    std::string Code;
};

// The invoice customer (or the customer of a currency exchange).
struct SaleCustomer {
    std::string Name1;
    std::string Name2;
    std::string Street;
    std::string Town;
    std::string Nip;
};

// What an invoice adds before the goods line: the document letter and the customer.
struct SaleInvoice {
    std::string DocLetter;
    SaleCustomer Customer;
};

// Reply of "LE", the four fields as received.
struct CommodInfo {
    std::string PtuIndex;
    std::string RateChanged;
    std::string ListIndicator;
    std::string LastRate;
};

class TNX3Class {
public:
    using Filter = std::function<std::string(const std::string&)>;

    static constexpr char STX = '\x02';
    static constexpr char ETX = '\x03';
    // Reading a frame gives up after this many bytes without a complete one (a device streaming
    // on the wrong port must not keep the program waiting forever).
    static constexpr int MaxFrameBytes = 4096;
    static constexpr int DescriptionCount = 320;

    static constexpr const char* NoCommunicationMessage =
        "Brak komunikacji z drukarką.\r\nMożliwe przyczyny to:\r\n - nie wybrany został odpowiedni port,\r\n"
        " - drukarka jest wyłączona,\r\n - połączenie komputera z drukarką jest wadliwe.";
    static constexpr const char* ClosePortMessage = "Wystąpił błąd podczas zamykania portu.";

    // programDirectory: the executable's directory with a trailing separator (kept for the
    // command methods that write files beside the program).
    TNX3Class(std::string programDirectory, LinkUi& ui, std::unique_ptr<SerialLine> line);
    ~TNX3Class();
    TNX3Class(const TNX3Class&) = delete;
    TNX3Class& operator=(const TNX3Class&) = delete;

    const std::string& ProgramDirectory() const { return programDirectory_; }

    // --- fields ---
    bool PortOpen = false;
    // Set when the wait window is hidden, cleared when it is shown; WaitForReply polls it.
    bool AbortRequested = false;
    // The port's name in the open failure message; empty: "COM<n>" (a tool given a device path names it).
    std::string PortName;
    // 2 = NX-3 E; -1 = none chosen, 0/1 = the older NX-2 firmwares.
    int PrinterType = 2;
    // The description table, one item per entry, UTF-8.
    std::vector<std::string> Descriptions;
    // Code-page conversion of outgoing / incoming data frames; empty until a code page is chosen.
    Filter OnSendConvert;
    Filter OnReceiveConvert;
    // The fixed pauses of the exchange (25 ms, 30 ms). Real sleep by default; tests replace it.
    std::function<void(int milliseconds)> Sleep;

    // The last reply code a command method obtained.
    const std::string& LastReply() const { return lastReply_; }

    // --- port ---
    void LoadDescriptions();
    // Read time-out = seconds * 1000 rounded half to even, in ms; applies it to the line.
    bool SetTimeouts(float seconds);
    // portNumber 1 = COM1. Failures are reported with a message box and a false result.
    bool OpenPort(int portNumber);
    // Raises LinkError(ClosePortMessage) when closing fails.
    void ClosePort();
    // True from a line gone during an exchange (a USB adapter pulled) until the port is open again.
    // The link has closed it, so the device can come back under its name; the next command opens it
    // again first, and while the device is not back fails at once with LinkError::StillLost.
    bool PortLost() const { return lost_; }
    // The one message a lost line gives where the program runs on: the port, its device, what to do.
    std::string LostPortMessage(bool outcomeUnknown) const;

    // --- frames and exchange ---
    static std::string Checksum(const std::string& payload);
    static std::string Frame(const std::string& payload); // STX payload ETX checksum
    void SendCommand(const std::string& code, std::string& reply);
    void SendFrame(const std::string& data);
    // Without the upper-casing and code-page conversion of SendFrame: bit fields go out as given.
    void SendBytesFrame(const std::string& bytes);
    void SendRaw(const std::string& text);
    // A service printout, one SendRaw per write: once the first has gone out, a lost line leaves
    // the outcome unknown (part of it may be on paper).
    void SendPrintout(const std::vector<std::string>& writes);
    void ReceiveFrame(std::string& data);
    void ReceiveFixed(int count, std::string& data);
    // A reply "X2" is followed by its four-hex-digit frame: the reply is then "X2" + the digits.
    void ReceiveReply(std::string& reply);
    void WaitForReply(std::string& reply);
    // True for "I1"/"D1"; otherwise shows the reply's description in the error window and returns
    // false (an empty reply returns false silently).
    bool CheckReply(const std::string& command, const std::string& reply);
    // Only the description CheckReply would show (UTF-8); for tests and tools.
    std::string ErrorDescription(const std::string& command, const std::string& reply) const;
    // Commands that only read (status, settings, stored data, the report as text): a failure during
    // one of them never leaves an outcome unknown. Every other code may change the device.
    static bool OnlyReads(const std::string& code);
    // Runs the exchange of the command `code`, whose own bytes go out in `writes` writes (the code
    // frame, then its data frames). When the command may change the device, a LinkError raised once
    // the last of them has gone out becomes one with an unknown outcome; before that (the command
    // not out whole, the device cannot have acted) it stays as it was.
    void GuardOutcome(const std::string& code, std::size_t writes, const std::function<void()>& exchange);
    // True once a command that may change the device has gone out whole since the link was made
    // (done, refused or lost after that): from then on the device is not as it was.
    bool ChangingCommandSent() const { return changingSent_; }

    // --- code page ---
    void SelectCodePage(bool mazovia);
    bool DetectCodePage();
    static std::string WindowsToMazovia(const std::string& text);
    static std::string MazoviaToWindows(const std::string& text);
    static std::string WindowsToLatin2(const std::string& text);
    static std::string Latin2ToWindows(const std::string& text);

    // --- field helpers ---
    static std::string PadLeft(const std::string& text, int width);
    static std::string PadRight(const std::string& text, int width);
    static std::string PadZeros(const std::string& text, int width);
    // Hundredths -> "12,34" (at least "0,00"); ten-thousandths -> "4,1234" (at least "0,0000").
    static std::string FormatAmount(std::int64_t value);
    static std::string FormatRate(std::int64_t value);

    // --- status and information queries ---
    // Date "20yy-mm-dd", Number 5 characters.
    bool GetDayReportNo(std::string& date, std::string& number);
    bool GetZeroRam(std::string& ramResets, std::string& rateSets);
    bool GetStatus2Letter(std::string& uniqueNo, std::string& nip, unsigned char& status1,
                          unsigned char& status2);
    bool GetStatus3Letter(std::string& uniqueNo, std::string& nip, unsigned char& status1,
                          unsigned char& status2);
    // "B5", then "ES" "W"; when that reports 3 or more, the "PI" data replace uniqueNo.
    bool GetStatus3LetterPI(std::string& uniqueNo, std::string& nip, unsigned char& status1,
                            unsigned char& status2);
    bool GetErrorNumber(std::string& number);
    bool GetExtStatus(std::string& unprintedReports, std::string& flag5, std::string& flag6,
                      std::string& flag7, std::string& flag8);
    bool GetRegInfo(int reg, std::string& tranNo, std::string& status, std::string& printFlag,
                    std::string& lastSale, std::string& lastPtu);
    bool GetTotalizer(Totalizer& totalizer);
    // Leaves LastReply alone.
    bool GetDeviceInfo(const std::string& selector, std::string& data);
    bool SetStatus(unsigned char status1, unsigned char status2);

    // --- settings (NX3Settings.cpp) ---
    static constexpr int kInactiveRate = 9999;
    static constexpr int kExemptRate = 9998;
    // A "D4" rate field in hundredths of a percent; a field that is not a number is inactive.
    static int PtuRateValue(const std::string& field);
    bool GetPtu(PtuRates& rates);
    // rates: A..G, each the "%.0f" text of its hundredths; sent right-aligned in four characters.
    bool SetPtu(const PtuRates& rates);
    bool GetPostNumbers(PostNumbers& numbers);
    // numbers: registers 1..8 as typed; each sent as two digits (zeros in front, or cut).
    bool SetPostNumbers(const PostNumbers& numbers);
    bool SetWaitingTime(int minutes);
    // minutes: -1 when the reply is not a number.
    bool GetWaitingTime(int& minutes);
    // direction "+": one hour forward at 2:00; "-": one hour back at 3:00.
    bool MoveTime(const std::string& direction);
    // yymmddhhnnss, as the printer sends it.
    bool GetDateTime(std::string& dateTime);
    bool SetDateTime(const std::string& dateTime); // yymmddhhnnss
    bool SetTime(const std::string& time);         // hhnnss
    // Header and footer text is Mazovia whatever the code page: the callers remove the filters first
    // (RemoveFilters) and convert the text themselves. lineNumber 4 is the tax-number line. An empty
    // "EA" data frame gives false without the error window.
    bool ReadHeaderLineCmd(int lineNumber, std::string& text, bool& wide, bool& high);
    bool WriteHeaderLine(int lineNumber, const std::string& text, bool wide, bool high);
    bool ReadFooter(FooterLines& lines);
    bool WriteFooter(const FooterLines& lines);
    // Drops the send and receive filters; DetectCodePage installs them again.
    void RemoveFilters();

    // --- fiscal and service operations (NX3Service.cpp) ---
    // The control printout ("ET" "C"), which includes the header.
    bool TestPrint();
    // Rates A..G as text of hundredths ("2200", "700"), each right-aligned in 4.
    bool Fiscalize(const std::string& a, const std::string& b, const std::string& c, const std::string& d,
                   const std::string& e, const std::string& f, const std::string& g);
    bool PrepareNip(const std::string& nip);
    // The scheduled change of the accounting currency: date yymmdd, time hhmm, the next and the
    // current currency. An empty record returns false without a message.
    bool GetCurrencyChange(std::string& date, std::string& time, std::string& next, std::string& current);
    bool SetCurrencyChange(const std::string& date, const std::string& time, const std::string& currency);
    // These three leave LastReply alone.
    bool ResetRam();
    bool InitSdCard();
    bool CloseSdCard();
    // Template 1..40: on success fields holds the name lines and the row descriptions.
    bool ReadTemplate(int number, TemplateFields& fields);
    // cut: "T" cuts the paper after the message, "N" does not; rows[0..19] are the rows' data.
    bool PrintTemplate(int number, const std::string& cut, const TemplateFields& rows);

    // --- sales (NX3Sales.cpp) ---
    // limit: hundredths of the native currency, exactly as sent. tranNo is written only after "D1".
    bool StartTrans(int reg, std::int64_t limit, int& tranNo);
    bool SellReceiptCash(int reg, int tranNo, const SaleGoods& goods, const SalePayment& payment);
    bool SellReceiptCard(int reg, int tranNo, const SaleGoods& goods, const SalePayment& card);
    bool SellInvoiceCash(int reg, int tranNo, const std::string& docLetter, const SaleCustomer& customer,
                         const SaleGoods& goods, const SalePayment& payment);
    bool SellInvoiceCard(int reg, int tranNo, const std::string& docLetter, const SaleCustomer& customer,
                         const SaleGoods& goods, const SalePayment& card);
    bool PrintDoc(int reg, int tranNo);
    // foreignAmount in hundredths of the foreign currency, rate in ten-thousandths.
    bool PayCurrency(int reg, const std::string& currency, std::int64_t foreignAmount, std::int64_t rate);
    bool SetLoyaltyInfo(int reg, int tranNo, const std::string& cardNumber, std::int64_t points,
                        std::int64_t pointsSum);
    // The three amounts travel as the texts shown in their edits.
    bool ConfirmExchange(int tranNo, const SaleCustomer& customer, const std::string& amount,
                         const std::string& currency, const std::string& rate, const std::string& value);
    bool GetCommodInfo(const std::string& name, CommodInfo& info);
    // The data fields, as the methods above send them (before the code-page conversion).
    static std::string StartTransField(int reg, std::int64_t limit);
    // One builder for the four sale commands: receipt (invoice null) or invoice, cash or card.
    static std::string SaleField(int reg, int tranNo, const SaleInvoice* invoice, const SaleGoods& goods,
                                 const SalePayment& payment, bool card);
    static std::string PayCurrencyField(int reg, const std::string& currency, std::int64_t foreignAmount,
                                        std::int64_t rate);

    // --- reports (NX3Reports.cpp) ---
    // Report ranges travel as two six-character values: yymmdd, "NR" and four digits, or "000000".
    bool DayReport();
    bool PeriodReport(const std::string& from, const std::string& to);
    // month: yymm.
    bool MonthlyReport(const std::string& month);
    bool ConstantReport();
    bool PeriodSummary(const std::string& from, const std::string& to);
    bool CommodityList();
    // "R2" and the range; true once the printer streams the report, read then with ReceiveReportLine.
    bool SendPeriodReport(const std::string& from, const std::string& to);
    // One report line ("WE" and its text), or the closing code (then line holds the code). True for a
    // line, "D1" or "I1". ReportLineReceived() tells a line from the end of the report: a line may
    // itself be two characters long.
    bool ReceiveReportLine(std::string& line);
    bool ReportLineReceived() const { return lastReply_ == ReportLineCode; }
    // After a transfer given up half-way: the printer goes on sending the rest of the report, which
    // would be read as the answer to the next command. Reads it, unshown, up to its closing code or
    // until the line stays quiet for the read time-out.
    void SkipReportRest();
    static constexpr const char* ReportLineCode = "WE";
    // Said when a transfer cut short has saved the lines that arrived (file: how the user knows it).
    static std::string PartialReportMessage(const std::string& file, std::size_t lines);
    // summary: the variant "P" ("Drukuj podsumowanie"), else "C"; the letter goes only to PrinterType 1.
    bool SettlementReport(bool summary, const std::string& from, const std::string& to);

protected:
    // How a command's closing code arrives: at once, or when the printer has finished printing
    // (with the wait window and no time limit).
    enum class Closing { Reply, Wait };

    // The steps the command methods are built from. Each stores every code it obtains in LastReply.
    // SendCommand with the command code; true for "I1": the data phase follows.
    bool Accepted(const std::string& code);
    // ReceiveReply or WaitForReply; true for "D1".
    bool Closed(Closing closing = Closing::Reply);
    // Command code; on "I1" the data frame the printer returns (ReceiveFrame, or ReceiveFixed of
    // fixedCount bytes) and the closing code. True for "D1", and only then are the data to be used.
    bool Query(const std::string& code, std::string& data, int fixedCount = 0);
    // Command code; on "I1" each data frame in order (SendFrame), then the closing code. True for "D1".
    bool Order(const std::string& code, std::initializer_list<std::string> frames, Closing closing);
    void SetLastReply(const std::string& reply) { lastReply_ = reply; }
    // "R9" with its sub-command letter; on "I1" the data frames and the wait for the printout.
    bool SubReport(char letter, std::initializer_list<std::string> frames);

private:
    // Gathers count bytes (6 or 8) for WaitForReply; an abort gives the "D1" frame instead.
    std::string GatherReply(std::size_t count, bool& aborted);
    void BeginWait();
    void EndWait(const std::string& logText);
    bool ReadStatusBlock(const std::string& code, int count, std::size_t uniqueWidth, std::string& uniqueNo,
                         std::string& nip, unsigned char& status1, unsigned char& status2);
    // What a failed read or write raises; a line that is gone is closed and the port marked lost.
    LinkError LineFailure(bool gone);
    // Before a command's first byte.
    void ReopenLostPort();
    // "COM1 (/dev/ttyUSB0)"
    std::string PortPlace() const;

    std::string programDirectory_;
    LinkUi& ui_;
    std::unique_ptr<SerialLine> line_;
    std::string lastReply_;
    // Writes that went out whole, for GuardOutcome.
    std::uint64_t writesDone_ = 0;
    bool changingSent_ = false;
    int portNumber_ = 0;
    bool lost_ = false;
};

} // namespace nubra

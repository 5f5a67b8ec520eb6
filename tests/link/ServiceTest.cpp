// The fiscal and service command methods on a scripted line: the bytes they write, how they read
// the printer's data, and which of them leave LastReply alone.
#include <gtest/gtest.h>

#include <functional>

#include "LinkFixture.h"

namespace nubra::testing {
namespace {

const std::string I1 = TNX3Class::Frame("I1");
const std::string D1 = TNX3Class::Frame("D1");

class ServiceTest : public LinkFixture {
protected:
    void SetUp() override { Open(); }
    void After(int writes, const std::string& bytes) { line->Feed(bytes, {.writes = writes}); }
    std::vector<std::string> Writes() const { return line->Writes(); }
};

struct UnrecordedCase {
    const char* name;
    std::function<bool(TNX3Class&)> call;
    std::vector<std::string> writes;
};

TEST_F(ServiceTest, OrdersThatLeaveLastReplyAlone) {
    const UnrecordedCase cases[] = {
        {"ResetRam", [](TNX3Class& l) { return l.ResetRam(); }, {Frame("X1")}},
        {"InitSdCard", [](TNX3Class& l) { return l.InitSdCard(); }, {Frame("EC"), Frame("A")}},
        {"CloseSdCard", [](TNX3Class& l) { return l.CloseSdCard(); }, {Frame("EC"), Frame("C")}},
        // Each value padded to 6, 4 and 3; a longer one goes whole.
        {"SetCurrencyChange EU",
         [](TNX3Class& l) { return l.SetCurrencyChange("030101", "0000", "EU"); },
         {Frame("EJ"), Frame("0301010000EU ")}},
        {"SetCurrencyChange long",
         [](TNX3Class& l) { return l.SetCurrencyChange("0301011", "12", "EURO"); },
         {Frame("EJ"), Frame("030101112  EURO")}},
    };
    for (const UnrecordedCase& c : cases) {
        const std::size_t before = line->Writes().size();
        After(static_cast<int>(before) + 1, I1);
        After(static_cast<int>(before + c.writes.size()), D1);
        EXPECT_TRUE(c.call(*link)) << c.name;
        const std::vector<std::string> all = Writes();
        EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<long>(before), all.end()), c.writes)
            << c.name;
        EXPECT_EQ(link->LastReply(), "") << c.name;
    }
    // The closing of a RAM reset is read at once, without the wait window.
    EXPECT_EQ(ui.WaitCalls,
              (std::vector<std::string>{"show", "hide", "show", "hide", "show", "hide", "show", "hide"}));
}

TEST_F(ServiceTest, SdCardRefusalIsShownAndKeptOutOfLastReply) {
    After(1, I1);
    After(2, TNX3Class::Frame("X2") + TNX3Class::Frame("0384"));
    EXPECT_FALSE(link->InitSdCard());
    EXPECT_EQ(ui.Errors, std::vector<std::string>{"Brak karty."});
    EXPECT_EQ(link->LastReply(), "");
}

TEST_F(ServiceTest, FiscalizeSendsSevenRightAlignedRates) {
    After(1, I1);
    After(2, D1);
    EXPECT_TRUE(link->Fiscalize("2200", "700", "300", "0", "9998", "9999", "9999"));
    EXPECT_EQ(Writes(), (std::vector<std::string>{Frame("EF"), Frame("2200 700 300   0999899999999")}));
    EXPECT_EQ(link->LastReply(), "D1");
}

TEST_F(ServiceTest, NipIsPaddedTo14) {
    After(1, I1);
    After(2, TNX3Class::Frame("DA"));
    EXPECT_FALSE(link->PrepareNip("123-456-78-90"));
    EXPECT_EQ(Writes().back(), Frame("123-456-78-90 "));
    EXPECT_EQ(link->LastReply(), "DA");
    EXPECT_EQ(ui.Errors, std::vector<std::string>{"NIP jest już ustawiony."});
}

TEST_F(ServiceTest, CurrencyChangeRecordIsSplit) {
    After(1, I1 + TNX3Class::Frame("0301010000EURPLN") + D1);
    std::string date, time, next, current;
    ASSERT_TRUE(link->GetCurrencyChange(date, time, next, current));
    EXPECT_EQ((std::vector<std::string>{date, time, next, current}),
              (std::vector<std::string>{"030101", "0000", "EUR", "PLN"}));
    EXPECT_EQ(link->LastReply(), "");
}

TEST_F(ServiceTest, EmptyCurrencyChangeRecordEndsSilently) {
    After(1, I1 + TNX3Class::Frame("") + D1);
    std::string date = "d", time, next, current;
    EXPECT_FALSE(link->GetCurrencyChange(date, time, next, current));
    EXPECT_EQ(date, "d");
    EXPECT_TRUE(ui.Errors.empty());
    EXPECT_TRUE(ui.WaitCalls.empty());
}

TEST_F(ServiceTest, TemplateIsAskedByTwoDigitsAndSplit) {
    std::string text = std::string(40, 'N') + std::string(40, 'M');
    for (char row = 'a'; row < 'a' + 20; ++row)
        text += std::string(20, row);
    After(1, I1);
    After(2, D1 + TNX3Class::Frame(text));
    TemplateFields fields;
    ASSERT_TRUE(link->ReadTemplate(7, fields));
    EXPECT_EQ(Writes(), (std::vector<std::string>{Frame("Q2"), Frame("07")}));
    EXPECT_EQ(fields[0], std::string(40, 'N'));
    EXPECT_EQ(fields[1], std::string(40, 'M'));
    EXPECT_EQ(fields[2], std::string(20, 'a'));
    EXPECT_EQ(fields[21], std::string(20, 't'));
}

TEST_F(ServiceTest, TemplateMessageIsNumberCutAndTwentyRowsOf20) {
    After(1, I1);
    After(2, D1);
    TemplateFields rows;
    rows[0] = "12";
    rows[19] = "A VALUE LONGER THAN TWENTY";
    ASSERT_TRUE(link->PrintTemplate(7, "N", rows));
    const std::string data = "07N12" + std::string(18 + 18 * 20, ' ') + "A VALUE LONGER THAN ";
    ASSERT_EQ(data.size(), 403u);
    EXPECT_EQ(Writes(), (std::vector<std::string>{Frame("Q3"), Frame(data)}));
}

} // namespace
} // namespace nubra::testing

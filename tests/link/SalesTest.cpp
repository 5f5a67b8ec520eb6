// The sale methods' fields and replies on a scripted line.
#include <gtest/gtest.h>

#include "LinkFixture.h"

namespace nubra::testing {
namespace {

const std::string I1 = TNX3Class::Frame("I1");
const std::string D1 = TNX3Class::Frame("D1");

class SalesTest : public LinkFixture {
protected:
    void SetUp() override { Open(); }
    void After(int writes, const std::string& bytes) { line->Feed(bytes, {.writes = writes}); }
};

TEST_F(SalesTest, TransactionNumberIsReadAsANumberOrOne) {
    struct Case {
        const char* data;
        int tranNo;
    } cases[] = {{"17", 17}, {"00042", 42}, {"  7", 7}, {"X1", 1}, {"", 1}};
    int writes = 0;
    for (const Case& c : cases) {
        After(writes + 1, I1);
        After(writes + 2, D1 + Frame(c.data));
        int tranNo = -1;
        EXPECT_TRUE(link->StartTrans(1, 5100, tranNo));
        EXPECT_EQ(tranNo, c.tranNo) << '"' << c.data << '"';
        writes += 2;
    }
    EXPECT_EQ(line->Writes().at(1), Frame("1    51,00"));
}

TEST_F(SalesTest, CurrencyPaymentCarriesTheNativeEquivalentIn64Bits) {
    struct Case {
        const char* currency;
        std::int64_t amount, rate;
        const char* field;
    } cases[] = {
        {"EUR", 5000, 43000, "1EUR000050,000004,3000000215,00"},
        {"EURO", 50000, 43000, "1EUR000500,000004,3000002150,00"}, // the product passes 32 bits
        {"$", 999999, 999999, "1  $009999,990099,9999999998,00"},
        {"USD", 1, 5000, "1USD000000,010000,5000000000,01"}, // 0,005 rounds half up
    };
    for (const Case& c : cases)
        EXPECT_EQ(TNX3Class::PayCurrencyField(1, c.currency, c.amount, c.rate), c.field) << c.currency;
}

} // namespace
} // namespace nubra::testing

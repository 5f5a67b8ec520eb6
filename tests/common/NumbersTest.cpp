#include "Numbers.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* text;
    int expected;
};

TEST(StrToIntDef, DecimalWithLeadingSpacesAndSignElseDefault) {
    const Case cases[] = {
        {"0", 0},
        {"8", 8},
        {"003", 3},
        {"  7", 7},
        {"-3", -3},
        {"+12", 12},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"", -1},
        {" ", -1},
        {"-", -1},
        {"7 ", -1}, // trailing blank
        {"\t7", -1},
        {"x03", -1},
        {"1.5", -1},
        {"$0A", -1},
        {"2147483648", -1},
        {"99999999999999999999", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(nubra::StrToIntDef(c.text, -1), c.expected) << '"' << c.text << '"';
    EXPECT_EQ(nubra::StrToIntDef("N", 0), 0);
}

} // namespace

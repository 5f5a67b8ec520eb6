#include <gtest/gtest.h>

#include "LinkFixture.h"

namespace nubra::testing {
namespace {

using CheckReplyTest = LinkFixture;

std::size_t Utf8Length(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        n += (c & 0xC0) != 0x80;
    return n;
}

bool IsHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

TEST_F(CheckReplyTest, TableHasEveryEntryOfEachKind) {
    const auto& d = link->Descriptions;
    ASSERT_EQ(d.size(), 320u);
    EXPECT_EQ(d[0], "Nie edytować! Opisy rozkazów i błędów dla NX-3 E (ważne są odstępy).");
    EXPECT_EQ(d[319], "X203F6-Niepusty bufor wydruku.");
    int commands = 0, commandErrors = 0, commonErrors = 0, extended = 0, empty = 0;
    bool inCommon = false;
    for (std::size_t i = 1; i < d.size(); ++i) {
        const std::string& e = d[i];
        if (e.empty()) {
            ++empty;
        } else if (e[0] == '(' && e.size() >= 4 && e[3] == ')') {
            ++commands;
            inCommon = e.compare(0, 4, "(  )") == 0;
        } else if (e.size() > 7 && e.compare(0, 2, "X2") == 0 && e[6] == '-' && IsHex(e[2]) && IsHex(e[3]) &&
                   IsHex(e[4]) && IsHex(e[5])) {
            ++extended;
        } else {
            ASSERT_TRUE(e.size() > 3 && (e[2] == '-' || e.compare(2, 3, " - ") == 0)) << e;
            ++(inCommon ? commonErrors : commandErrors);
        }
    }
    EXPECT_EQ(commands, 69);
    EXPECT_EQ(commandErrors, 80);
    EXPECT_EQ(commonErrors, 24);
    EXPECT_EQ(extended, 114);
    EXPECT_EQ(empty, 32);
}

TEST_F(CheckReplyTest, SuccessCodesShowNothing) {
    for (const char* command : {"B2", "PC", "XX", ""}) {
        EXPECT_TRUE(link->CheckReply(command, "I1"));
        EXPECT_TRUE(link->CheckReply(command, "D1"));
    }
    EXPECT_FALSE(link->CheckReply("B2", ""));
    EXPECT_TRUE(ui.Errors.empty());
}

struct LookUp {
    const char* command;
    const char* reply;
    const char* shown;
};

TEST_F(CheckReplyTest, ErrorWindowText) {
    const LookUp cases[] = {
        {"PC", "D4", "Trwa aktywna transakcja obsługiwana przez dany rejestr."},
        {"PC", "I4", "W rejestrze znajduje się niewydrukowany dokument."},
        {"EF", "X20133", "Kasa jest już sfiskalizowana."},
        {"XX", "D2", "Brak opisu błędu"},
        {"PF", "DE", "- Transakcja nie została rozpoczęta."},
        {"B2", "X20065", "Dane do odczytania."},
        {"LA", "D2", "Dany towar nie był dotychczas rejestrowany."},
        {"B2", "D2",
         "Rozkaz nie wykonany, bo dane przesłane z rozkazem nie mieściły się w formacie lub zakresie."},
        {"I7", "D2", "Nieprawidłowy numer rejestru."},
        {"Z1", "D9", "Bład odczytu zegara."},
        {"B2", "Q7", "Brak opisu błędu"},
        {"pc", "D4", "Brak opisu błędu"}, // exact, case-sensitive
        {"B2", "X2FFFF", "Brak opisu błędu"},
        {"  ", "I2", "Zły kod rozkazu."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " " + c.reply);
        ui.Errors.clear();
        EXPECT_FALSE(link->CheckReply(c.command, c.reply));
        ASSERT_EQ(ui.Errors.size(), 1u);
        EXPECT_EQ(ui.Errors[0], c.shown);
    }
}

TEST_F(CheckReplyTest, DescriptionsAreCutByCharacterNotByte) {
    // "D6-Błąd..." under Z1: the cut after three characters must not split the Polish letters.
    const std::string text = link->ErrorDescription("Z1", "D6");
    EXPECT_EQ(text, "Błąd w pamięci RAM, kasa ustawiona została w stan 'SERWIS WYMAGANY'.");
    EXPECT_EQ(Utf8Length(text) + 3, Utf8Length(link->Descriptions[149]));
}

} // namespace
} // namespace nubra::testing

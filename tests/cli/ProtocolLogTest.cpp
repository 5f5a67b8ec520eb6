// The protocol log in words: the bytes as text, the notes of commands and reply codes, the time.
#include <gtest/gtest.h>

#include "ProtocolLog.h"

namespace nubra {
namespace {

TEST(ProtocolLog, TextShowsControlBytesByNameAndOemLetters) {
    EXPECT_EQ(LogText("<- \x02"
                      "B2\x03"
                      "8F"),
              "<- <STX>B2<ETX>8F");
    EXPECT_EQ(LogText(std::string("\x00\x1b\x7f", 3)), "<00><1B><7F>");
    // 0x86 and 0xA5 in code page 852.
    EXPECT_EQ(LogText("\x86\xA5"), "ćą");
}

TEST(ProtocolLog, NotesNameTheCommandAndEachReplyCodeInItsContext) {
    LogAnnotator a;
    struct Row {
        std::string bytes;
        std::string note;
    };
    const std::vector<Row> rows = {
        {"- - - - - - - - - - - - - - - -", ""},
        {"<- \x02"
         "B2\x03"
         "8F",
         "(B2) Odeślij numer raportu dobowego."},
        {"-> \x02"
         "I1\x03"
         "87",
         "I1-OK."},
        {"-> \x02"
         "25013100042\x03"
         "CD",
         ""},
        {"-> \x02"
         "D1\x03"
         "8A",
         "D1-Rozkaz został wykonany poprawnie."},
        {"- - - - - - - - - - - - - - - -", ""},
        {"<- \x02"
         "S3\x03"
         "9F",
         "(S3) Ustaw stawki PTU."},
        {"-> \x02"
         "I1\x03"
         "87",
         "I1-OK."},
        // A data frame sent is not a command.
        {"<- \x02"
         "I3\x03"
         "85",
         ""},
        // The command's own meaning of D2 wins over the common one.
        {"-> \x02"
         "D2\x03"
         "89",
         "D2-Błędne dane lub próba ustawienia stawek identycznych z już istniejącymi."},
        {"- - - - - - - - - - - - - - - -", ""},
        {"<- \x02"
         "U6\x03"
         "9C",
         "(U6) Ustawienie NIP'u lub koniec pracy kasy."},
        {"-> \x02"
         "X2\x03"
         "95",
         ""},
        {"-> \x02"
         "0133\x03"
         "CE",
         "X20133-Kasa jest już sfiskalizowana."},
        // The long wait logs the extended code in one line.
        {"-> X2\x02"
         "0384\x03"
         "C9",
         "X20384-Brak karty."},
        // In the report sent as text "WE" announces a line, and the line is text even where it
        // reads like a code.
        {"- - - - - - - - - - - - - - - -", ""},
        {"<- \x02"
         "R2\x03"
         "9F",
         "(R2) Prześlij raport fiskalny okresowy."},
        {"-> \x02"
         "I1\x03"
         "87",
         "I1-OK."},
        {"-> \x02"
         "WE\x03"
         "ED",
         "WE-Wiersz raportu."},
        {"-> \x02"
         "D1\x03"
         "8A",
         ""},
        {"-> \x02"
         "D1\x03"
         "8A",
         "D1-Rozkaz został wykonany poprawnie."},
    };
    for (const Row& row : rows)
        EXPECT_EQ(a.Note(row.bytes), row.note) << LogText(row.bytes);
    EXPECT_EQ(a.LastReply(), "D1");
}

TEST(ProtocolLog, LineInEachStyle) {
    const LogClock::time_point t = LogClock::now();
    const LogEntry e{t,
                     "-> \x02"
                     "I1\x03"
                     "87",
                     "I1-OK."};
    EXPECT_EQ(LogLine(e, {}), "-> <STX>I1<ETX>87");
    EXPECT_EQ(LogLine(e, {.time = false, .notes = true}), "-> <STX>I1<ETX>87  I1-OK.");
    const std::string timed = LogLine(e, {.time = true, .notes = false});
    EXPECT_EQ(timed, LogTime(t) + " -> <STX>I1<ETX>87");
    ASSERT_EQ(LogTime(t).size(), 12u);
    EXPECT_EQ(LogTime(t).substr(8, 1), ".");
}

} // namespace
} // namespace nubra

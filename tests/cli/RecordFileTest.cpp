// Sale lines from a script's file: JSON or CSV, and the line that cannot be read.
#include <gtest/gtest.h>

#include "CliOptions.h"
#include "RecordFile.h"

namespace nubra::cli {
namespace {

const std::vector<Record> Expected = {
    {{"name", "Chleb \"razowy\""}, {"ptu", "A"}, {"quantity", "1"}, {"price", "4,50"}},
    {{"name", "Mleko; 2%"}, {"ptu", "B"}, {"quantity", "2,5"}, {"price", "3"}},
};

TEST(RecordFile, JsonAndCsvGiveTheSameRecords) {
    EXPECT_EQ(ParseJsonRecords(R"([ {"Name": "Chleb \"razowy\"", "ptu": "A", "quantity": 1, "price": "4,50"},
        {"name": "Mleko; 2%", "ptu": "B", "quantity": "2,5", "price": 3} ])"),
              Expected);
    EXPECT_EQ(ParseCsvRecords("Name;PTU;quantity;price\r\n\"Chleb \"\"razowy\"\"\";A;1;4,50\r\n\r\n"
                              "\"Mleko; 2%\";B;2,5;3\r\n"),
              Expected);
    EXPECT_EQ(ParseCsvRecords("name,ptu\nChleb,A\n"),
              (std::vector<Record>{{{"name", "Chleb"}, {"ptu", "A"}}}));
    EXPECT_EQ(ParseJsonRecords(R"([{"name": "\u017c\u00f3\u0142w"}])").at(0).at("name"), "żółw");
}

TEST(RecordFile, DamagedFilesNameTheLine) {
    const auto message = [](auto parse, const std::string& text) {
        try {
            parse(text);
        } catch (const UsageError& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(message(ParseJsonRecords, "[\n{\"name\": \"a\"},\n{\"name\" \"b\"}\n]"),
              "Błąd w pliku JSON w wierszu 3.");
    EXPECT_EQ(message(ParseJsonRecords, "{\"name\": \"a\"}"), "Błąd w pliku JSON w wierszu 1.");
    for (const char* escape : {"\\u%105", "\\u-001", "\\u 12a", "\\u00\"}"})
        EXPECT_EQ(message(ParseJsonRecords, std::string("[{\"name\": \"") + escape + "\"}]"),
                  "Błąd w pliku JSON w wierszu 1.")
            << escape;
    EXPECT_EQ(message(ParseCsvRecords, "name;ptu\na;A\nb\n"), "Wiersz 3 ma 1 pól zamiast 2.");
    EXPECT_EQ(message(ParseCsvRecords, "name;ptu\n\"a;A\n"), "Niezamknięty cudzysłów w wierszu 2.");
}

TEST(RecordFile, OneDialectOfEach) {
    const struct {
        std::vector<Record> (*parse)(const std::string&);
        std::string text;
        std::string name;
    } cases[] = {
        // A byte-order mark is skipped; a quote inside a cell is part of it.
        {ParseCsvRecords, "\xEF\xBB\xBFname;ptu\nMonitor 24\" Full HD;A\n", "Monitor 24\" Full HD"},
        {ParseCsvRecords, "name,ptu\nO\"Brien \"\"x\"\",A\n", "O\"Brien \"\"x\"\""},
        {ParseCsvRecords, "name;ptu\n\"Chleb \"\"A\"\";x\";A\n", "Chleb \"A\";x"},
        {ParseCsvRecords, "\r\n \nname,ptu\n\"Chleb; razowy\",A\n", "Chleb; razowy"},
        {ParseJsonRecords, "\xEF\xBB\xBF[{\"name\": \"Chleb\"}]", "Chleb"},
        // Escapes exactly, upper or lower case hexadecimal.
        {ParseJsonRecords, R"([{"name": "\u017C\u00f3\u0142w a\/b \\ \"c\""}])", "żółw a/b \\ \"c\""},
        {ParseJsonRecords, R"([{"name": 4.50, "ptu": 1e2}])", "4.50"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.parse(c.text).at(0).at("name"), c.name) << c.text;
}

TEST(RecordFile, RefusedInsteadOfGuessed) {
    const struct {
        std::vector<Record> (*parse)(const std::string&);
        std::string text;
        std::string message;
    } cases[] = {
        {ParseJsonRecords, R"([{"name": "a", "NAME": "b"}])", "Rekord 1: pole 'name' podane dwa razy."},
        {ParseCsvRecords, "name;Name\na;b\n", "Wiersz 2: pole 'name' podane dwa razy."},
        {ParseJsonRecords, "[{\"name\": \"\xFF\"}]", "Błąd w pliku JSON w wierszu 1."},
        {ParseJsonRecords, "[{\"name\": \"a\"}] [", "Błąd w pliku JSON w wierszu 1."},
        {ParseJsonRecords, "[{\"name\": \"\\u0000\"}]",
         "Rekord 1, pole 'name': znak sterujący (kod 0x00) nie może trafić do drukarki."},
        {ParseCsvRecords, "name\n\xC3\n", "Wiersz 2, pole 'name': niepoprawny zapis UTF-8 (bajt 0xC3)."},
        {ParseCsvRecords, "name\na\tb\n",
         "Wiersz 2, pole 'name': znak sterujący (kod 0x09) nie może trafić do drukarki."},
    };
    for (const auto& c : cases) {
        try {
            c.parse(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const UsageError& e) {
            EXPECT_EQ(e.what(), c.message) << c.text;
        }
    }
}

} // namespace
} // namespace nubra::cli

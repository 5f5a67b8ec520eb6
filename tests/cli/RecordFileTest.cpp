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

} // namespace
} // namespace nubra::cli

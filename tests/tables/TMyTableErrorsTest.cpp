// Every refusal of the engine with its exact message, and the state it leaves.
#include "TMyTable.h"
#include "TableError.h"
#include "TableTestUtil.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace nubra {
namespace {

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const TableError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(TMyTableAddField, RefusalsCarryTheirMessages) {
    TMyTable t;
    t.AddField("NAZWA", FieldType::ftString, Alignment::Left, true, 40);
    EXPECT_EQ(MessageOf([&] { t.AddField("NAZWA", FieldType::ftInteger, Alignment::Left, false, 0); }),
              "Pole o podanej nawie już istnieje..");
    EXPECT_EQ(MessageOf([&] { t.AddField("", FieldType::ftInteger, Alignment::Left, false, 0); }),
              "Niewłaściwa nazwa pola..");
    EXPECT_EQ(MessageOf([&] { t.AddField("BIG", FieldType::ftString, Alignment::Left, false, 985); }),
              "Nie można dodać pola o danym rozmiarze, ponieważ spowodowało by to przekroczenie "
              "dopuszczalnej wielkości rekordu..");
    EXPECT_EQ(MessageOf([&] { t.AddField("NEG", FieldType::ftString, Alignment::Left, false, -1); }),
              "Nie można dodać pola o danym rozmiarze, ponieważ spowodowało by to przekroczenie "
              "dopuszczalnej wielkości rekordu..");
    EXPECT_EQ(t.FieldCount(), 1);
    EXPECT_EQ(MessageOf([&] { t.AddField("FITS", FieldType::ftString, Alignment::Left, false, 984); }),
              "(no error)");
    EXPECT_EQ(t.RecordSize(), 1024);
}

TEST(TMyTableAddField, SizeLimitTestsTheGivenAndTheStoredSize) {
    const std::string tooBig =
        "Nie można dodać pola o danym rozmiarze, ponieważ spowodowało by to przekroczenie "
        "dopuszczalnej wielkości rekordu..";
    TMyTable t;
    t.AddField("TEXT", FieldType::ftString, Alignment::Left, false, 1020);
    // A currency field defined with size 0 still takes 8 bytes: the record would not open.
    EXPECT_EQ(MessageOf([&] { t.AddField("CENA", FieldType::ftCurrency, Alignment::Right, false, 0); }),
              tooBig);
    EXPECT_EQ(MessageOf([&] { t.AddField("ILE", FieldType::ftInteger, Alignment::Right, false, 5); }),
              tooBig);
    EXPECT_EQ(MessageOf([&] { t.AddField("ILE", FieldType::ftInteger, Alignment::Right, false, 0); }),
              "(no error)");
    EXPECT_EQ(t.RecordSize(), 1024);

    TMyTable u;
    EXPECT_EQ(MessageOf([&] { u.AddField("F", FieldType::ftFloat, Alignment::Right, false, 2000); }), tooBig);
    EXPECT_EQ(MessageOf([&] { u.AddField("S", FieldType::ftString, Alignment::Left, false, 2147483647); }),
              tooBig);
    EXPECT_EQ(u.FieldCount(), 0);
}

TEST(TMyTableAddField, EmptyNameIsRefusedAlsoAsTheFirstField) {
    TMyTable t;
    EXPECT_EQ(MessageOf([&] { t.AddField("", FieldType::ftString, Alignment::Left, false, 5); }),
              "Niewłaściwa nazwa pola..");
    EXPECT_EQ(t.FieldCount(), 0);
}

TEST(TMyTableAddField, NamesAreCutToSixteenAndComparedCut) {
    TMyTable t;
    t.AddField("ABCDEFGHIJKLMNOPQ", FieldType::ftInteger, Alignment::Left, false, 0);
    EXPECT_EQ(t.Field(0).name, "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(
        MessageOf([&] { t.AddField("ABCDEFGHIJKLMNOPQ", FieldType::ftInteger, Alignment::Left, false, 0); }),
        "Pole o podanej nawie już istnieje..")
        << "the same long name twice";
    EXPECT_EQ(
        MessageOf([&] { t.AddField("ABCDEFGHIJKLMNOPR", FieldType::ftInteger, Alignment::Left, false, 0); }),
        "Pole o podanej nawie już istnieje..");
    EXPECT_EQ(t.FieldCount(), 1);
}

TEST(TMyTableAddField, NoMoreThan127Fields) {
    TMyTable t;
    for (int i = 0; i < 127; ++i)
        t.AddField("F" + std::to_string(i), FieldType::ftString, Alignment::Left, false, 1);
    EXPECT_EQ(MessageOf([&] { t.AddField("F127", FieldType::ftString, Alignment::Left, false, 1); }),
              "Nie można dodać pola, ponieważ spowodowało by to przekroczenie limitu ilości pól..");
}

TEST(TMyTableLifecycle, OpenCloseAndCreateRefusals) {
    test::TempDir dir;
    TMyTable t;
    EXPECT_EQ(MessageOf([&] { t.Open(); }), "Niewłaściwa nazwa tabeli..");
    t.SetTableName(" \t ");
    EXPECT_EQ(MessageOf([&] { t.CreateTable(); }), "Niewłaściwa nazwa tabeli..");
    EXPECT_EQ(MessageOf([&] { t.Open(); }), "Niewłaściwa nazwa tabeli..");
    t.SetTableName(dir / "T");
    EXPECT_EQ(MessageOf([&] { t.CreateTable(); }), "Brak zdefiniowanych pól tabeli..");
    EXPECT_EQ(MessageOf([&] { t.Open(); }), "Nie udało się otworzyć pliku tabeli '" + (dir / "T") + "'..");
    EXPECT_EQ(MessageOf([&] { t.Close(); }), "Próba ponownego zamknięcia tabeli..");
    t.AddField("A", FieldType::ftInteger, Alignment::Left, false, 0);
    t.CreateTable();
    t.Open();
    EXPECT_EQ(MessageOf([&] { t.Open(); }), "Próba ponownego otwarcia tabeli..");
    EXPECT_TRUE(t.Active());
    t.SetActive(false);
    EXPECT_FALSE(t.Active());
    EXPECT_EQ(t.FieldCount(), 0);
}

TEST(TMyTableFields, AccessRefusals) {
    test::TempDir dir;
    TMyTable t;
    t.SetTableName(dir / "T");
    t.AddField("A", FieldType::ftInteger, Alignment::Left, false, 0);
    t.AddField("ID", FieldType::ftAutoInc, Alignment::Left, false, 0);
    t.CreateTable();
    EXPECT_TRUE(std::holds_alternative<std::monostate>(t.GetField(0))) << "nothing while closed";
    t.Open();
    EXPECT_EQ(MessageOf([&] { t.GetField(2); }), "Indeks poza zakresem..");
    EXPECT_EQ(MessageOf([&] { t.GetField(-1); }), "Indeks poza zakresem..");
    EXPECT_EQ(MessageOf([&] { t.GetFieldByName("a"); }), "Pole o podanej nazwie nieistnieje..");
    EXPECT_EQ(MessageOf([&] { t.SetField(0, 1); }),
              "Aby modyfikować pole tabela musi się znajdować w trybie tsAdd, tsEdit lub tsInsert..");
    t.Append();
    EXPECT_EQ(MessageOf([&] { t.SetField(5, 1); }), "Indeks poza zakresem..");
    EXPECT_EQ(MessageOf([&] { t.SetField(1, 1); }), "Nie można przypisać wartości polu typu ftAutoInc..");
    t.SetField(0, std::string("42"));
    EXPECT_EQ(std::get<std::int32_t>(t.GetFieldByName("A")), 42);
}

#ifndef _WIN32 // a file size limit (RLIMIT_FSIZE)
// A file that cannot grow: the append is refused with the write message and leaves no partial
// record behind, and the table goes on working once the file can grow again.
TEST(TMyTableWrite, FailedAppendLeavesTheFileAsItWas) {
    test::TempDir dir;
    TMyTable t;
    t.SetTableName(dir / "T");
    t.AddField("NAZWA", FieldType::ftString, Alignment::Left, true, 600);
    t.CreateTable();
    t.Open();
    t.Append();
    t.SetField(0, std::string("FIRST"));
    ASSERT_TRUE(t.Post());
    const auto before = test::ReadBytes(dir / "T.tbl");

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = before.size() + 100; // room for a part of the record only
    ::setrlimit(RLIMIT_FSIZE, &limited);
    t.Append();
    t.SetField(0, std::string("SECOND"));
    const std::string message = MessageOf([&] { t.Post(); });
    ::setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_EQ(message, "Błąd zapisu do pliku..");
    EXPECT_EQ(test::ReadBytes(dir / "T.tbl"), before);
    EXPECT_EQ(t.RecordCount(), 1);
    EXPECT_TRUE(t.Cancel());
    EXPECT_EQ(std::get<std::string>(t.GetField(0)), "FIRST");
    t.Append();
    t.SetField(0, std::string("SECOND"));
    ASSERT_TRUE(t.Post());
    EXPECT_EQ(t.RecordCount(), 2);
    EXPECT_EQ(test::ReadBytes(dir / "T.tbl").size(), before.size() + 600);
}
#endif

struct ConversionCase {
    const char* name;
    FieldType type;
    FieldValue value;
    const char* message;
};

void PrintTo(const ConversionCase& c, std::ostream* os) {
    *os << c.name;
}

class TMyTableConversion : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(TMyTableConversion, FailedConversionNamesTheType) {
    test::TempDir dir;
    TMyTable t;
    t.SetTableName(dir / "T");
    t.AddField("F", GetParam().type, Alignment::Left, false, 10);
    t.CreateTable();
    t.Open();
    t.Append();
    EXPECT_EQ(MessageOf([&] { t.SetField(0, GetParam().value); }), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TMyTableConversion,
    ::testing::Values(ConversionCase{"integer_with_comma", FieldType::ftInteger, std::string("12,5"),
                                     "Nie udała się konwersja do typu ftInteger.."},
                      ConversionCase{"integer_empty", FieldType::ftInteger, std::string(""),
                                     "Nie udała się konwersja do typu ftInteger.."},
                      ConversionCase{"integer_too_big", FieldType::ftInteger, 3e10,
                                     "Nie udała się konwersja do typu ftInteger.."},
                      ConversionCase{"float_with_point", FieldType::ftFloat, std::string("12.5"),
                                     "Nie udała się konwersja do typu ftFloat.."},
                      ConversionCase{"float_letters", FieldType::ftFloat, std::string("abc"),
                                     "Nie udała się konwersja do typu ftFloat.."},
                      ConversionCase{"currency_empty", FieldType::ftCurrency, std::string(""),
                                     "Nie udała się konwersja do typu ftCurrency.."},
                      ConversionCase{"currency_too_big", FieldType::ftCurrency, std::string("1e30"),
                                     "Nie udała się konwersja do typu ftCurrency.."},
                      ConversionCase{"string_of_nothing", FieldType::ftString, FieldValue{},
                                     "Nie udała się konwersja do typu ftString.."}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace nubra

// A table edited by a process killed at random moments, or in the middle of a write, keeps every
// record it held whole; and one table is used by one program at a time.
#include "TMyTable.h"
#include "TableError.h"
#include "TableTestUtil.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <sys/wait.h>

namespace nubra {
namespace {

constexpr int kRecords = 10000;

// Each record carries its id and a check over the id and the name, so a torn record shows.
std::int32_t Check(std::int32_t id, const std::string& name) {
    std::uint32_t h = static_cast<std::uint32_t>(id) * 2654435761u;
    for (char c : name)
        h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return static_cast<std::int32_t>(h | 1u);
}

void Fill(TMyTable& t, std::int32_t id, int version) {
    const std::string name = "TOWAR " + std::to_string(id) + " wersja " + std::to_string(version);
    t.SetField(0, id);
    t.SetField(1, name);
    t.SetField(2, Check(id, name));
}

void CreateGoods(const std::string& name, int records) {
    TMyTable t;
    t.SetTableName(name);
    t.AddField("ID", FieldType::ftInteger, Alignment::Right, false, 0);
    t.AddField("NAZWA", FieldType::ftString, Alignment::Left, true, 40);
    t.AddField("SUMA", FieldType::ftInteger, Alignment::Right, false, 0);
    t.AddField("NR", FieldType::ftAutoInc, Alignment::Right, false, 0);
    t.CreateTable();
    t.Open();
    for (int id = 0; id < records; ++id) {
        t.Append();
        Fill(t, id, 0);
        t.Post();
    }
    t.Close();
}

struct Census {
    std::map<std::int32_t, int> copies;
    int torn = 0;
};

Census Count(const std::string& name) {
    TMyTable t;
    t.SetTableName(name);
    t.Open();
    Census c;
    for (int r = 0; r < t.RecordCount(); ++r) {
        const std::vector<FieldValue> v = t.PeekRecord(r);
        const auto id = std::get<std::int32_t>(v[0]);
        if (std::get<std::int32_t>(v[2]) != Check(id, std::get<std::string>(v[1])))
            ++c.torn;
        else
            ++c.copies[id];
    }
    t.Close();
    return c;
}

// What the editing child says, one message per pipe write: the change it starts ("B"), with the id
// it adds or removes, and the end of it ("E").
struct Message {
    char kind = 0;
    char op = 0;
    std::int32_t id = -1;
};

void Say(int fd, char kind, char op, std::int32_t id) {
    const Message m{kind, op, id};
    [[maybe_unused]] const ssize_t n = ::write(fd, &m, sizeof m);
}

[[noreturn]] void EditForever(const std::string& name, int fd, unsigned seed, std::int32_t nextId) {
    std::mt19937 rng(seed);
    TMyTable t;
    t.SetTableName(name);
    t.Open();
    for (int version = 1;; ++version) {
        const int op = static_cast<int>(rng() % 9);
        const int count = t.RecordCount();
        const int at = count > 0 ? static_cast<int>(rng() % static_cast<unsigned>(count)) : 0;
        t.GoToRecord(at);
        const auto idAt = count > 0 ? std::get<std::int32_t>(t.GetField(0)) : -1;
        if (op < 3) {
            Say(fd, 'B', 'I', nextId);
            t.Insert();
            Fill(t, nextId++, version);
            t.Post();
        } else if (op < 5) {
            Say(fd, 'B', 'D', idAt);
            t.Delete();
        } else if (op < 7) {
            Say(fd, 'B', 'A', nextId);
            t.Append();
            Fill(t, nextId++, version);
            t.Post();
        } else if (op < 8) {
            Say(fd, 'B', 'U', idAt);
            t.Edit();
            Fill(t, idAt, version);
            t.Post();
        } else {
            Say(fd, 'B', 'C', -1);
            t.Close();
            t.Open();
        }
        Say(fd, 'E', 0, -1);
    }
}

struct Figures {
    int kills = 0;
    int lost = 0;
    int torn = 0;
    int duplicated = 0;
};

// Checks the table after a kill against the ids it held before the interrupted change.
void Inspect(const std::string& name, std::set<std::int32_t>& ids, const Message& inFlight, Figures& f) {
    const Census c = Count(name);
    f.torn += c.torn;
    std::set<std::int32_t> kept = ids;
    if (inFlight.kind == 'B' && inFlight.op == 'D')
        kept.erase(inFlight.id);
    for (std::int32_t id : kept)
        if (!c.copies.count(id))
            ++f.lost;
    std::set<std::int32_t> now;
    for (const auto& [id, n] : c.copies) {
        f.duplicated += n - 1;
        const bool added =
            inFlight.kind == 'B' && (inFlight.op == 'I' || inFlight.op == 'A') && id == inFlight.id;
        if (ids.count(id) || added)
            now.insert(id);
        else
            ++f.torn; // an id never written is a record made of pieces
    }
    ids = now;
}

TEST(TMyTableKill, RandomKillsLoseNoRecord) {
    test::TempDir dir;
    const std::string name = dir / "TOWARY";
    CreateGoods(name, kRecords);
    std::set<std::int32_t> ids;
    for (std::int32_t id = 0; id < kRecords; ++id)
        ids.insert(id);
    std::int32_t nextId = kRecords;
    std::mt19937 rng(20261208);
    Figures f;
    for (int round = 0; round < 300; ++round) {
        int pipe[2];
        ASSERT_EQ(::pipe(pipe), 0);
        const unsigned seed = static_cast<unsigned>(rng());
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipe[0]);
            EditForever(name, pipe[1], seed, nextId);
        }
        ::close(pipe[1]);
        // The kill lands wherever the child is once it has begun this many changes.
        const int changes = 1 + static_cast<int>(rng() % 6);
        std::vector<Message> said;
        Message m;
        for (int begun = 0; begun < changes && ::read(pipe[0], &m, sizeof m) == sizeof m;) {
            said.push_back(m);
            begun += m.kind == 'B';
        }
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ++f.kills;
        while (::read(pipe[0], &m, sizeof m) == sizeof m)
            said.push_back(m);
        ::close(pipe[0]);
        // Changes the child finished count; the last one begun may be half-done.
        Message inFlight;
        for (const Message& s : said) {
            if (s.kind == 'B') {
                inFlight = s;
                continue;
            }
            if (inFlight.op == 'I' || inFlight.op == 'A')
                ids.insert(inFlight.id);
            else if (inFlight.op == 'D')
                ids.erase(inFlight.id);
            inFlight = Message{};
        }
        Inspect(name, ids, inFlight, f);
        nextId += 100000;
    }
    std::printf("kills %d, lost %d, torn %d, duplicated %d\n", f.kills, f.lost, f.torn, f.duplicated);
    EXPECT_EQ(f.lost, 0);
    EXPECT_EQ(f.torn, 0);
    EXPECT_EQ(f.duplicated, 0);
    EXPECT_EQ(static_cast<std::size_t>(Count(name).copies.size()), ids.size());
}

// A change killed in the middle of one of its writes, after the part of it that fits this many bytes.
struct CutCase {
    char op;
    std::int64_t bytes;
};

void PrintTo(const CutCase& c, std::ostream* os) {
    *os << c.op << " cut after " << c.bytes << " bytes";
}

class TMyTableCut : public ::testing::TestWithParam<CutCase> {};

TEST_P(TMyTableCut, KeepsEveryRecordWhole) {
    static test::TempDir dir;
    const std::string base = dir / "BAZA";
    if (!std::filesystem::exists(base + ".tbl"))
        CreateGoods(base, kRecords);
    const std::string name = dir / "TOWARY";
    std::filesystem::copy_file(base + ".tbl", name + ".tbl",
                               std::filesystem::copy_options::overwrite_existing);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        TMyTable t;
        t.SetTableName(name);
        t.Open();
        TableFile::KillAfterWriting(GetParam().bytes);
        switch (GetParam().op) {
        case 'I':
            t.Insert();
            Fill(t, kRecords, 1);
            t.Post();
            break;
        case 'A':
            t.Append();
            Fill(t, kRecords, 1);
            t.Post();
            break;
        case 'U':
            t.Edit();
            Fill(t, 0, 1);
            t.Post();
            break;
        case 'D':
            t.Delete();
            break;
        default:
            t.Close();
        }
        std::_Exit(0);
    }
    ::waitpid(child, nullptr, 0);
    const Census c = Count(name);
    EXPECT_EQ(c.torn, 0);
    for (std::int32_t id = GetParam().op == 'D' ? 1 : 0; id < kRecords; ++id)
        EXPECT_EQ(c.copies.count(id) ? c.copies.at(id) : 0, 1) << "record " << id;
    EXPECT_LE(c.copies.size(), static_cast<std::size_t>(kRecords) + 1);
}

// The first write of an insert or delete at record 0 saves the 520 000-byte tail, the next moves it.
INSTANTIATE_TEST_SUITE_P(Writes, TMyTableCut,
                         ::testing::Values(CutCase{'I', 0}, CutCase{'I', 4096}, CutCase{'I', 300000},
                                           CutCase{'I', 520500}, CutCase{'I', 520500 + 4096},
                                           CutCase{'I', 520500 + 7 * 4096}, CutCase{'I', 1040500},
                                           CutCase{'D', 4096}, CutCase{'D', 520100 + 4096},
                                           CutCase{'D', 520100 + 300000}, CutCase{'A', 4}, CutCase{'A', 60},
                                           CutCase{'U', 20}, CutCase{'U', 100}, CutCase{'C', 40},
                                           CutCase{'C', 200}));

TEST(TMyTableLock, ASecondUserIsRefusedAndWritesNothing) {
    test::TempDir dir;
    const std::string name = dir / "TOWARY";
    CreateGoods(name, 3);
    const std::vector<std::uint8_t> before = test::ReadBytes(name + ".tbl");
    TMyTable first;
    first.SetTableName(name);
    first.Open();
    const std::string inUse = "Plik tabeli '" + name +
                              ".tbl' jest używany przez inny program. Zamknij tamten program i otwórz "
                              "tabelę ponownie..";
    TMyTable second;
    second.SetTableName(name);
    try {
        second.Open();
        ADD_FAILURE() << "opened twice";
    } catch (const TableError& e) {
        EXPECT_EQ(std::string(e.what()), inUse);
    }
    EXPECT_FALSE(second.Active());
    second.AddField("ID", FieldType::ftInteger, Alignment::Right, false, 0);
    try {
        second.CreateTable();
        ADD_FAILURE() << "created over a table in use";
    } catch (const TableError& e) {
        EXPECT_EQ(std::string(e.what()), inUse);
    }
    EXPECT_EQ(test::ReadBytes(name + ".tbl"), before);
    first.Close();
    TMyTable third;
    third.SetTableName(name);
    third.Open();
    EXPECT_EQ(third.RecordCount(), 3);
}

} // namespace
} // namespace nubra

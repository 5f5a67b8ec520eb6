#include "Journal.h"

#include <chrono>
#include <sqlite3.h>
#include <stdexcept>

namespace nubra::nx3d {
namespace {

double Now() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

constexpr const char* kStates[] = {"queued", "sending", "done", "refused", "not-sent", "unknown"};

JobState StateFrom(const std::string& name) {
    for (int i = 0; i < 6; ++i)
        if (name == kStates[i])
            return static_cast<JobState>(i);
    return JobState::Unknown;
}

// A statement of the journal's cache, made ready for its next use when it goes out of scope.
class Statement {
public:
    Statement(sqlite3* db, sqlite3_stmt* stmt) : db_(db), stmt_(stmt) {}
    ~Statement() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    Statement& Bind(int i, const std::string& v) {
        sqlite3_bind_text(stmt_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& Bind(int i, long long v) {
        sqlite3_bind_int64(stmt_, i, v);
        return *this;
    }
    Statement& Bind(int i, double v) {
        sqlite3_bind_double(stmt_, i, v);
        return *this;
    }
    bool Step() {
        const int rc = sqlite3_step(stmt_);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(db_));
        return rc == SQLITE_ROW;
    }
    std::string Text(int i) {
        const auto* t = sqlite3_column_text(stmt_, i);
        return t ? std::string(reinterpret_cast<const char*>(t),
                               static_cast<std::size_t>(sqlite3_column_bytes(stmt_, i)))
                 : std::string();
    }
    long long Int(int i) { return sqlite3_column_int64(stmt_, i); }
    double Real(int i) { return sqlite3_column_double(stmt_, i); }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_;
};

// Time spent writing (the commit waits for the disk), added up for the service's metrics.
class WriteTimer {
public:
    explicit WriteTimer(double& total) : total_(total), start_(std::chrono::steady_clock::now()) {}
    ~WriteTimer() {
        total_ += std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    double& total_;
    std::chrono::steady_clock::time_point start_;
};

#define NUBRA_JOB_COLUMNS "id, printer, kind, client_id, body, state, result, tran, created, finished"

Job Row(Statement& s) {
    Job j;
    j.id = s.Int(0);
    j.printer = s.Text(1);
    j.kind = s.Text(2);
    j.clientId = s.Text(3);
    j.body = s.Text(4);
    j.state = StateFrom(s.Text(5));
    j.result = s.Text(6);
    j.transaction = static_cast<int>(s.Int(7));
    j.created = s.Real(8);
    j.finished = s.Real(9);
    return j;
}

} // namespace

const char* StateName(JobState state) {
    return kStates[static_cast<int>(state)];
}

bool Final(JobState state) {
    return state != JobState::Queued && state != JobState::Sending;
}

namespace {

sqlite3* Open(const std::string& path, int flags) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, flags | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        const std::string why = db ? sqlite3_errmsg(db) : "brak pamięci";
        sqlite3_close(db);
        throw std::runtime_error(path + ": " + why);
    }
    sqlite3_busy_timeout(db, 5000);
    return db;
}

} // namespace

Journal::Journal(const std::string& path) {
    writer_.db = Open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    try {
        Exec("PRAGMA journal_mode=WAL");
        Exec("PRAGMA synchronous=FULL");
        Exec("CREATE TABLE IF NOT EXISTS jobs (id INTEGER PRIMARY KEY AUTOINCREMENT, printer TEXT NOT NULL, "
             "kind TEXT NOT NULL, client_id TEXT NOT NULL, body TEXT NOT NULL, state TEXT NOT NULL, "
             "result TEXT NOT NULL DEFAULT '', tran INTEGER NOT NULL DEFAULT 0, created REAL NOT NULL, "
             "finished REAL NOT NULL DEFAULT 0, UNIQUE (printer, kind, client_id))");
        reader_.db = Open(path, SQLITE_OPEN_READONLY);
    } catch (...) {
        writer_.Close();
        throw;
    }
}

Journal::~Journal() {
    reader_.Close();
    writer_.Close();
}

void Journal::Connection::Close() {
    for (const auto& [sql, stmt] : statements)
        sqlite3_finalize(stmt);
    statements.clear();
    sqlite3_close(db);
    db = nullptr;
}

sqlite3_stmt* Journal::Connection::Prepare(const char* sql) {
    // Prepared once for the journal's life: a job runs the same few statements over and over.
    sqlite3_stmt*& stmt = statements[sql];
    if (!stmt && sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) != SQLITE_OK) {
        const std::string why = sqlite3_errmsg(db);
        statements.erase(sql);
        throw std::runtime_error(why);
    }
    return stmt;
}

double Journal::WriteSeconds() {
    std::lock_guard lock(writer_.mutex);
    return writeSeconds_;
}

void Journal::Exec(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(writer_.db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string why = error ? error : "?";
        sqlite3_free(error);
        throw std::runtime_error(why);
    }
}

Job Journal::Insert(const Job& job, bool& inserted) {
    std::lock_guard lock(writer_.mutex);
    WriteTimer timer(writeSeconds_);
    Statement find(writer_.db,
                   writer_.Prepare("SELECT " NUBRA_JOB_COLUMNS
                                   " FROM jobs WHERE printer = ?1 AND kind = ?2 AND client_id = ?3"));
    find.Bind(1, job.printer).Bind(2, job.kind).Bind(3, job.clientId);
    if (!job.clientId.empty() && find.Step()) {
        inserted = false;
        return Row(find);
    }
    Statement add(
        writer_.db,
        writer_.Prepare("INSERT INTO jobs (printer, kind, client_id, body, state, created) VALUES (?1, "
                        "?2, ?3, ?4, 'queued', ?5)"));
    const double now = Now();
    // A job without a client id gets one of its own, unique by its row.
    add.Bind(1, job.printer)
        .Bind(2, job.kind)
        .Bind(3, job.clientId.empty() ? "#" + std::to_string(now) : job.clientId);
    add.Bind(4, job.body).Bind(5, now).Step();
    inserted = true;
    Job out = job;
    out.id = sqlite3_last_insert_rowid(writer_.db);
    out.state = JobState::Queued;
    out.created = now;
    return out;
}

std::optional<Job> Journal::Get(long long id) {
    std::lock_guard lock(reader_.mutex);
    Statement s(reader_.db, reader_.Prepare("SELECT " NUBRA_JOB_COLUMNS " FROM jobs WHERE id = ?1"));
    s.Bind(1, id);
    if (!s.Step())
        return std::nullopt;
    return Row(s);
}

void Journal::SetState(long long id, JobState state, const std::string& result) {
    std::lock_guard lock(writer_.mutex);
    WriteTimer timer(writeSeconds_);
    Statement s(writer_.db,
                writer_.Prepare("UPDATE jobs SET state = ?2, result = ?3, finished = ?4 WHERE id = ?1"));
    s.Bind(1, id)
        .Bind(2, std::string(StateName(state)))
        .Bind(3, result)
        .Bind(4, Final(state) ? Now() : 0.0)
        .Step();
}

void Journal::SetSending(long long id, int transaction) {
    std::lock_guard lock(writer_.mutex);
    WriteTimer timer(writeSeconds_);
    Statement s(writer_.db, writer_.Prepare("UPDATE jobs SET state = 'sending', tran = ?2 WHERE id = ?1"));
    s.Bind(1, id).Bind(2, static_cast<long long>(transaction)).Step();
}

std::vector<Job> Journal::Recover() {
    std::lock_guard lock(writer_.mutex);
    Statement(
        writer_.db,
        writer_.Prepare("UPDATE jobs SET state = 'unknown', result = '{\"error\": \"Usługa przerwana podczas "
                        "wysyłania: wynik nieznany.\"}' WHERE state = 'sending'"))
        .Step();
    Statement s(writer_.db,
                writer_.Prepare("SELECT " NUBRA_JOB_COLUMNS " FROM jobs WHERE state = 'queued' ORDER BY id"));
    std::vector<Job> queued;
    while (s.Step())
        queued.push_back(Row(s));
    return queued;
}

std::map<std::string, long long> Journal::CountByState() {
    std::lock_guard lock(reader_.mutex);
    std::map<std::string, long long> counts;
    for (const char* name : kStates)
        counts[name] = 0;
    Statement s(reader_.db, reader_.Prepare("SELECT state, COUNT(*) FROM jobs GROUP BY state"));
    while (s.Step())
        counts[s.Text(0)] = s.Int(1);
    return counts;
}

std::map<std::pair<std::string, std::string>, long long> Journal::CountByKind() {
    std::lock_guard lock(reader_.mutex);
    std::map<std::pair<std::string, std::string>, long long> counts;
    Statement s(reader_.db, reader_.Prepare("SELECT kind, state, COUNT(*) FROM jobs GROUP BY kind, state"));
    while (s.Step())
        counts[{s.Text(0), s.Text(1)}] = s.Int(2);
    return counts;
}

std::vector<Job> Journal::Last(int count) {
    std::lock_guard lock(reader_.mutex);
    Statement s(reader_.db,
                reader_.Prepare("SELECT " NUBRA_JOB_COLUMNS " FROM jobs ORDER BY id DESC LIMIT ?1"));
    s.Bind(1, static_cast<long long>(count));
    std::vector<Job> jobs;
    while (s.Step())
        jobs.push_back(Row(s));
    return jobs;
}

} // namespace nubra::nx3d

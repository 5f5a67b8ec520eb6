#pragma once
// Every job of the service in an SQLite file: written before its first byte goes to the printer and
// again when its reply came, so a crash of the line, the service or the computer never loses whether a
// receipt went out. WAL and synchronous FULL: a commit is on disk when it returns.
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace nubra::nx3d {

// queued -> sending -> done | refused | not-sent | unknown; unknown -> done | not-sent when resolved.
enum class JobState { Queued, Sending, Done, Refused, NotSent, Unknown };
const char* StateName(JobState state);
bool Final(JobState state);

struct Job {
    long long id = 0;
    std::string printer;
    std::string kind;     // "receipt", "report", "settings"
    std::string clientId; // the client's sale id
    std::string body;     // the request, as compact JSON
    JobState state = JobState::Queued;
    std::string result;               // JSON object: transaction, value, code, description, error
    int transaction = 0;              // once the transaction was started
    double created = 0, finished = 0; // seconds since the epoch
};

class Journal {
public:
    // Raises std::runtime_error with SQLite's message when the file cannot be opened.
    explicit Journal(const std::string& path);
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // A new job, or the one with the same printer, kind and client id (inserted false).
    Job Insert(const Job& job, bool& inserted);
    std::optional<Job> Get(long long id);
    void SetState(long long id, JobState state, const std::string& result = "");
    // "sending", with the transaction the sale goes into, in one commit.
    void SetSending(long long id, int transaction);
    // Jobs left "sending" by a service that stopped become unknown; the queued ones are returned in
    // order, to run again (nothing of theirs went out).
    std::vector<Job> Recover();
    std::map<std::string, long long> CountByState();
    // By kind, then state; only the pairs that occur.
    std::map<std::pair<std::string, std::string>, long long> CountByKind();
    std::vector<Job> Last(int count);

    // Seconds spent in writes so far, the wait for the disk included.
    double WriteSeconds();

private:
    // One connection and its prepared statements, used by one thread at a time.
    struct Connection {
        std::mutex mutex;
        sqlite3* db = nullptr;
        std::map<std::string, sqlite3_stmt*> statements;
        sqlite3_stmt* Prepare(const char* sql);
        void Close();
    };
    void Exec(const std::string& sql);
    // Writes go one by one through the writer; reads go through a reader of their own, so that they
    // never wait for a commit's wait for the disk (WAL lets them read the last commit meanwhile).
    Connection writer_, reader_;
    double writeSeconds_ = 0; // under the writer's mutex
};

} // namespace nubra::nx3d

#pragma once
// The catalogue table engine: one ".tbl" file of an 88-byte header, 36-byte field definitions and
// fixed-size little-endian records, with a current-record cursor.
//
// Errors are raised as TableError. The two refusals of Post (record limit, missing required value)
// are reported through the message handler (a plain message box in the program) and a false result.
// Strings (field names, text values) are Windows-1250; the table name is a path and messages are UTF-8.
// Single-threaded; the file stays open while the table is active.
#include "FieldDef.h"
#include "FieldValue.h"
#include "TableFile.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace nubra {

class TMyTable {
public:
    static constexpr int kHeaderSize = 88;
    static constexpr int kMaxFields = 127;
    static constexpr int kMaxRecordSize = 1024;
    static constexpr std::int32_t kMaxRecords = 2147483647;

    using MessageHandler = std::function<void(const std::string& utf8)>;
    using ChangeHandler = std::function<void()>;

    TMyTable() = default;
    ~TMyTable();
    TMyTable(const TMyTable&) = delete;
    TMyTable& operator=(const TMyTable&) = delete;

    void SetTableName(const std::string& path); // any extension is removed
    const std::string& TableName() const { return tableName_; }
    std::string FileName() const { return tableName_ + ".tbl"; }
    bool Exists() const;

    // Defines a field of a table to be created; only ftString takes the size given, but the given size
    // also counts against the record limit.
    void AddField(const std::string& name, FieldType type, Alignment alignment, bool required, int size);
    void CreateTable();

    bool Active() const { return active_; }
    void SetActive(bool active);
    void Open();
    void Close();

    bool ReadRecord();
    void GoToRecord(int index);
    FieldValue GetField(int index) const;
    FieldValue GetFieldByName(const std::string& name) const;
    void SetField(int index, const FieldValue& value);

    void Append();
    void Insert();
    void Edit();
    bool Post();
    bool Cancel();
    void Delete();

    std::int32_t RecordCount() const { return recordCount_; }
    std::int32_t RecNo() const { return recNo_; }
    TableState State() const { return state_; }
    int FieldCount() const { return static_cast<int>(fields_.size()); }
    const FieldDef& Field(int index) const { return fields_.at(static_cast<std::size_t>(index)); }
    int RecordSize() const { return recordSize_; }

    // Reads a field of any record without moving the cursor (the grid draws with it).
    FieldValue PeekField(int record, int field) const;
    // Every field of a record, likewise; empty when closed or out of range.
    std::vector<FieldValue> PeekRecord(int record) const;

    void SetMessageHandler(MessageHandler handler) { onMessage_ = std::move(handler); }
    // Called after Open, a successful Post and Delete: the bound grid refreshes itself.
    void SetChangeHandler(ChangeHandler handler) { onChange_ = std::move(handler); }
    // A scratch table that nothing reads until it is renamed into place (an import's new file): its
    // edits skip the undo journal, since a crash leaves only the scratch file behind.
    void SetScratch(bool scratch) { scratch_ = scratch; }

private:
    void Forget(); // closes the file and drops the definitions
    [[noreturn]] void Refuse(const std::string& message);
    [[noreturn]] void FileError(int code);
    void CheckIndex(int index) const;
    std::int64_t CurrentPosition() const;
    std::int64_t SlotPosition(std::int64_t record) const { return dataOffset_ + record * recordSize_; }
    FieldValue Decode(const std::uint8_t* record, int index) const;
    void AssignAutoIncrements();
    int MissingRequiredField() const;
    void WriteDefinitions();
    void WriteRecordAt(std::int64_t position);
    void Guarded(std::int64_t position, std::int64_t length, const std::function<void()>& change);
    std::string InUseMessage() const;
    bool ReportLimit(const char* message);
    void Changed();

    TableFile file_;
    std::string tableName_;
    std::vector<FieldDef> fields_;
    std::vector<int> offsets_;
    std::vector<std::uint8_t> buffer_;
    int recordSize_ = 0;
    std::int64_t dataOffset_ = kHeaderSize;
    bool active_ = false;
    TableState state_ = TableState::tsBrowse;
    std::int32_t recordCount_ = 0;
    std::int32_t recNo_ = -1;
    MessageHandler onMessage_;
    ChangeHandler onChange_;
    bool scratch_ = false;
};

} // namespace nubra

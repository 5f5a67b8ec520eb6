#include "TMyTable.h"

#include "Cp1250.h"
#include "LittleEndian.h"
#include "TableError.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <filesystem>

namespace nubra {
namespace {

constexpr const char* kDescription = "Prosta tabela dla potrzeb własnych";

// Trimmed as the platform trims: spaces and control characters.
bool IsBlank(const std::string& s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

[[noreturn]] void ConversionFailed(FieldType type) {
    static constexpr const char* kMessages[] = {
        "Nie udała się konwersja do typu ftInteger..", "Nie udała się konwersja do typu ftFloat..",
        "Nie udała się konwersja do typu ftCurrency..", "Nie udała się konwersja do typu ftString.."};
    throw TableError(kMessages[static_cast<int>(type)]);
}

} // namespace

TMyTable::~TMyTable() {
    if (active_) {
        try {
            Close();
        } catch (const Error&) {
            // The counters could not be saved; nothing is left to tell at destruction.
        }
    }
}

void TMyTable::SetTableName(const std::string& path) {
    std::filesystem::path p(path);
    p.replace_extension();
    tableName_ = p.string();
}

bool TMyTable::Exists() const {
    std::error_code ec;
    return std::filesystem::exists(FileName(), ec);
}

void TMyTable::AddField(const std::string& name, FieldType type, Alignment alignment, bool required,
                        int size) {
    if (active_)
        return;
    if (static_cast<std::uint8_t>(type) > static_cast<std::uint8_t>(FieldType::ftAutoInc))
        throw std::invalid_argument("field type");
    // A nameless first field would give a file that cannot be opened, so it is refused too. Names are
    // compared as stored, cut to 16 characters, or a long name could be defined twice.
    const std::string stored = name.substr(0, FieldDef::kMaxNameLength);
    if (name.empty())
        throw TableError("Niewłaściwa nazwa pola..");
    for (const auto& f : fields_)
        if (f.name == stored)
            throw TableError("Pole o podanej nawie już istnieje..");
    if (FieldCount() >= kMaxFields)
        throw TableError(
            "Nie można dodać pola, ponieważ spowodowało by to przekroczenie limitu ilości pól..");
    // The size given is tested, and so is the size stored, so a table that is created can always be
    // opened; a text field of negative size would shift every field after it.
    const int fieldSize = FieldDef::StoredSize(type, size);
    if (fieldSize < 0 || std::int64_t{size} + recordSize_ > kMaxRecordSize ||
        std::int64_t{fieldSize} + recordSize_ > kMaxRecordSize)
        throw TableError("Nie można dodać pola o danym rozmiarze, ponieważ spowodowało by to przekroczenie "
                         "dopuszczalnej wielkości rekordu..");
    FieldDef def;
    def.name = stored;
    def.type = type;
    def.alignment = static_cast<std::uint8_t>(alignment);
    def.required = required;
    def.size = fieldSize;
    def.Encode();
    offsets_.push_back(recordSize_);
    recordSize_ += fieldSize;
    fields_.push_back(def);
}

void TMyTable::CreateTable() {
    if (IsBlank(tableName_))
        throw TableError("Niewłaściwa nazwa tabeli..");
    if (fields_.empty())
        throw TableError("Brak zdefiniowanych pól tabeli..");
    std::vector<std::uint8_t> bytes(kHeaderSize + fields_.size() * FieldDef::kSlotSize, 0);
    bytes[0] = 3;
    std::memcpy(&bytes[1], "1.0", 3);
    const std::string description = cp1250::FromUtf8(kDescription);
    bytes[17] = static_cast<std::uint8_t>(description.size());
    std::memcpy(&bytes[18], description.data(), description.size());
    le::Store(&bytes[84], fields_.size(), 4);
    for (std::size_t i = 0; i < fields_.size(); ++i)
        std::memcpy(&bytes[kHeaderSize + i * FieldDef::kSlotSize], fields_[i].slot.data(),
                    FieldDef::kSlotSize);
    TableFile out;
    const TableFile::OpenResult opened = out.Create(FileName());
    if (opened == TableFile::OpenResult::Locked)
        throw TableError(InUseMessage());
    if (opened != TableFile::OpenResult::Ok || out.WriteAt(0, bytes.data(), bytes.size()) != bytes.size())
        throw TableError("Błąd zapisu do pliku..");
}

std::string TMyTable::InUseMessage() const {
    return "Plik tabeli '" + FileName() +
           "' jest używany przez inny program. Zamknij tamten program i "
           "otwórz tabelę ponownie..";
}

void TMyTable::SetActive(bool active) {
    if (active)
        Open();
    else
        Close();
    active_ = active;
}

void TMyTable::Forget() {
    file_.Close();
    fields_.clear();
    offsets_.clear();
    recordSize_ = 0;
}

void TMyTable::Refuse(const std::string& message) {
    Forget();
    throw TableError(message);
}

void TMyTable::FileError(int code) {
    Refuse("Błąd w pliku '" + tableName_ + "' #" + std::to_string(code) + "..");
}

void TMyTable::Open() {
    if (active_)
        throw TableError("Próba ponownego otwarcia tabeli..");
    Forget();
    if (IsBlank(tableName_))
        throw TableError("Niewłaściwa nazwa tabeli..");
    switch (file_.Open(FileName())) {
    case TableFile::OpenResult::Ok:
        break;
    case TableFile::OpenResult::Locked:
        throw TableError(InUseMessage());
    case TableFile::OpenResult::Failed:
        throw TableError("Nie udało się otworzyć pliku tabeli '" + tableName_ + "'..");
    }

    std::uint8_t header[kHeaderSize];
    if (file_.ReadAt(0, header, kHeaderSize) < kHeaderSize)
        FileError(1);
    // Counts outside 1..127 cannot come from this engine; reading them would overrun the definitions.
    const auto count = static_cast<std::int32_t>(le::Load(&header[84], 4));
    if (count < 1 || count > kMaxFields)
        FileError(3);
    std::int64_t size = 0;
    for (int i = 0; i < count; ++i) {
        FieldDef def;
        const std::int64_t at = kHeaderSize + static_cast<std::int64_t>(i) * FieldDef::kSlotSize;
        if (file_.ReadAt(at, def.slot.data(), FieldDef::kSlotSize) < FieldDef::kSlotSize || !def.Decode())
            FileError(2);
        offsets_.push_back(static_cast<int>(std::min<std::int64_t>(size, kMaxRecordSize + 1)));
        size += def.size;
        fields_.push_back(def);
    }
    if (size == 0)
        FileError(2);
    if (size > kMaxRecordSize)
        Refuse("Wielkość rekordu jest zbyt duża, większa od 1kB..");
    recordSize_ = static_cast<int>(size);
    buffer_.assign(static_cast<std::size_t>(recordSize_), 0);
    dataOffset_ = kHeaderSize + static_cast<std::int64_t>(count) * FieldDef::kSlotSize;

    const std::int64_t dataBytes = file_.Size() - dataOffset_;
    const bool empty = dataBytes <= 0;
    if (!empty && dataBytes < recordSize_)
        FileError(4);

    active_ = true;
    state_ = TableState::tsBrowse;
    // A trailing partial record counts as one, as stepping through the file would find it.
    const std::int64_t records = empty ? 0 : (dataBytes + recordSize_ - 1) / recordSize_;
    recordCount_ = static_cast<std::int32_t>(std::min<std::int64_t>(records, kMaxRecords));
    recNo_ = recordCount_ > 0 ? 0 : -1;
    ReadRecord();
    Changed();
}

void TMyTable::Close() {
    if (!active_)
        throw TableError("Próba ponownego zamknięcia tabeli..");
    active_ = false;
    state_ = TableState::tsBrowse;
    recordCount_ = 0;
    recNo_ = -1;
    try {
        WriteDefinitions();
    } catch (...) {
        Forget();
        throw;
    }
    Forget();
}

std::int64_t TMyTable::CurrentPosition() const {
    return recNo_ >= 0 ? SlotPosition(recNo_) : dataOffset_;
}

bool TMyTable::ReadRecord() {
    if (!active_)
        return false;
    std::fill(buffer_.begin(), buffer_.end(), 0);
    return file_.ReadAt(CurrentPosition(), buffer_.data(), buffer_.size()) == buffer_.size();
}

void TMyTable::GoToRecord(int index) {
    if (!active_ || index < 0 || index >= recordCount_)
        return;
    recNo_ = index;
    ReadRecord();
}

void TMyTable::CheckIndex(int index) const {
    if (index < 0 || index >= FieldCount())
        throw TableError("Indeks poza zakresem..");
}

FieldValue TMyTable::Decode(const std::uint8_t* record, int index) const {
    const FieldDef& f = fields_[static_cast<std::size_t>(index)];
    const std::uint8_t* p = record + offsets_[static_cast<std::size_t>(index)];
    switch (f.type) {
    case FieldType::ftInteger:
    case FieldType::ftAutoInc:
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(le::Load(p, 4)));
    case FieldType::ftFloat:
        return std::bit_cast<double>(le::Load(p, 8));
    case FieldType::ftCurrency:
        return Currency{static_cast<std::int64_t>(le::Load(p, 8))};
    case FieldType::ftString: {
        const auto* end =
            static_cast<const std::uint8_t*>(std::memchr(p, 0, static_cast<std::size_t>(f.size)));
        const auto length = end ? static_cast<std::size_t>(end - p) : static_cast<std::size_t>(f.size);
        return std::string(reinterpret_cast<const char*>(p), length);
    }
    }
    return {};
}

FieldValue TMyTable::GetField(int index) const {
    if (!active_)
        return {};
    CheckIndex(index);
    return Decode(buffer_.data(), index);
}

FieldValue TMyTable::GetFieldByName(const std::string& name) const {
    if (!active_)
        return {};
    for (int i = 0; i < FieldCount(); ++i)
        if (fields_[static_cast<std::size_t>(i)].name == name)
            return GetField(i);
    throw TableError("Pole o podanej nazwie nieistnieje..");
}

FieldValue TMyTable::PeekField(int record, int field) const {
    const std::vector<FieldValue> values = PeekRecord(record);
    if (field < 0 || static_cast<std::size_t>(field) >= values.size())
        return {};
    return values[static_cast<std::size_t>(field)];
}

std::vector<FieldValue> TMyTable::PeekRecord(int record) const {
    if (!active_ || record < 0 || record >= recordCount_)
        return {};
    std::vector<std::uint8_t> bytes(buffer_.size(), 0);
    file_.ReadAt(SlotPosition(record), bytes.data(), bytes.size());
    std::vector<FieldValue> values;
    for (int f = 0; f < FieldCount(); ++f)
        values.push_back(Decode(bytes.data(), f));
    return values;
}

void TMyTable::SetField(int index, const FieldValue& value) {
    if (!active_)
        return;
    CheckIndex(index);
    if (state_ == TableState::tsBrowse)
        throw TableError(
            "Aby modyfikować pole tabela musi się znajdować w trybie tsAdd, tsEdit lub tsInsert..");
    const FieldDef& f = fields_[static_cast<std::size_t>(index)];
    std::uint8_t* p = buffer_.data() + offsets_[static_cast<std::size_t>(index)];
    switch (f.type) {
    case FieldType::ftInteger: {
        const auto v = ToInteger(value);
        if (!v)
            ConversionFailed(f.type);
        le::Store(p, static_cast<std::uint32_t>(*v), 4);
        break;
    }
    case FieldType::ftFloat: {
        const auto v = ToDouble(value);
        if (!v)
            ConversionFailed(f.type);
        le::Store(p, std::bit_cast<std::uint64_t>(*v), 8);
        break;
    }
    case FieldType::ftCurrency: {
        const auto v = ToCurrency(value);
        if (!v)
            ConversionFailed(f.type);
        le::Store(p, static_cast<std::uint64_t>(v->scaled), 8);
        break;
    }
    case FieldType::ftString: {
        if (std::holds_alternative<std::monostate>(value))
            ConversionFailed(f.type);
        const std::string text = ToText(value);
        const auto size = static_cast<std::size_t>(f.size);
        const std::size_t n = std::min(text.size(), size);
        std::memcpy(p, text.data(), n);
        std::memset(p + n, 0, size - n);
        break;
    }
    case FieldType::ftAutoInc:
        throw TableError("Nie można przypisać wartości polu typu ftAutoInc..");
    }
}

// The new record starts as a copy of the current one; the record editor sets every field.
void TMyTable::Append() {
    if (active_)
        state_ = TableState::tsAdd;
}

void TMyTable::Insert() {
    if (active_)
        state_ = TableState::tsInsert;
}

void TMyTable::Edit() {
    if (!active_)
        return;
    // With no record to edit, what the user typed becomes a new record rather than bytes the record
    // count does not know about.
    state_ = recordCount_ > 0 ? TableState::tsEdit : TableState::tsAdd;
}

bool TMyTable::ReportLimit(const char* message) {
    if (onMessage_)
        onMessage_(message);
    return false;
}

void TMyTable::WriteDefinitions() {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(fields_.size() * FieldDef::kSlotSize);
    for (const auto& f : fields_)
        bytes.insert(bytes.end(), f.slot.begin(), f.slot.end());
    Guarded(kHeaderSize, static_cast<std::int64_t>(bytes.size()), [&] {
        if (file_.WriteAt(kHeaderSize, bytes.data(), bytes.size()) != bytes.size())
            throw TableError("Błąd zapisu do pliku..");
    });
}

void TMyTable::AssignAutoIncrements() {
    bool any = false;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        FieldDef& f = fields_[i];
        if (f.type != FieldType::ftAutoInc)
            continue;
        f.counter = static_cast<std::int32_t>(static_cast<std::uint32_t>(f.counter) + 1);
        f.StoreCounter();
        le::Store(buffer_.data() + offsets_[i], static_cast<std::uint32_t>(f.counter), 4);
        any = true;
    }
    // Saved at once, so a number is never given twice even if the program stops before Close.
    if (any)
        WriteDefinitions();
}

int TMyTable::MissingRequiredField() const {
    for (int i = 0; i < FieldCount(); ++i) {
        const FieldDef& f = fields_[static_cast<std::size_t>(i)];
        if (f.type == FieldType::ftString && f.required &&
            (f.size == 0 || buffer_[static_cast<std::size_t>(offsets_[static_cast<std::size_t>(i)])] == 0))
            return i;
    }
    return -1;
}

void TMyTable::WriteRecordAt(std::int64_t position) {
    if (file_.WriteAt(position, buffer_.data(), buffer_.size()) < buffer_.size())
        throw TableError("Błąd zapisu do pliku..");
}

// Each change is guarded whole: a kill or an error in the middle leaves the table as it was before it.
void TMyTable::Guarded(std::int64_t position, std::int64_t length, const std::function<void()>& change) {
    if (scratch_) {
        change();
        return;
    }
    file_.Guard(position, length);
    try {
        change();
    } catch (...) {
        file_.Undo();
        throw;
    }
    file_.Commit();
}

bool TMyTable::Post() {
    if (!active_)
        return false;
    int missing = -1;
    switch (state_) {
    case TableState::tsAdd:
        if (recordCount_ == kMaxRecords)
            return ReportLimit(
                "Nie mozna dodać rekordu, ponieważ została osiągnięta maksymalna liczba rekordów..");
        AssignAutoIncrements();
        missing = MissingRequiredField();
        if (missing < 0) {
            const std::int64_t end = SlotPosition(recordCount_);
            // No part of a record the count does not know about stays behind.
            Guarded(end, 0, [&] { WriteRecordAt(end); });
            ++recordCount_;
            recNo_ = recordCount_ - 1;
        }
        break;
    case TableState::tsEdit:
        missing = MissingRequiredField();
        if (missing < 0) {
            Guarded(CurrentPosition(), recordSize_, [&] { WriteRecordAt(CurrentPosition()); });
        }
        break;
    case TableState::tsInsert:
        if (recordCount_ == kMaxRecords)
            return ReportLimit(
                "Nie mozna wstawić rekordu, ponieważ została osiągnięta maksymalna liczba rekordów..");
        AssignAutoIncrements();
        missing = MissingRequiredField();
        if (missing < 0) {
            const std::int64_t at = CurrentPosition();
            Guarded(at, file_.Size() - at, [&] {
                file_.Move(at, at + recordSize_, SlotPosition(recordCount_) - at);
                WriteRecordAt(at);
            });
            ++recordCount_;
            if (recNo_ < 0)
                recNo_ = 0;
            ReadRecord();
        }
        break;
    case TableState::tsBrowse:
        break;
    }
    if (missing >= 0) {
        if (onMessage_)
            onMessage_("Dla pola '" + cp1250::ToUtf8(fields_[static_cast<std::size_t>(missing)].name) +
                       "' wymagana jest wartość.");
        return false;
    }
    state_ = TableState::tsBrowse;
    Changed();
    return true;
}

bool TMyTable::Cancel() {
    state_ = TableState::tsBrowse;
    return ReadRecord();
}

void TMyTable::Delete() {
    if (!active_)
        return;
    state_ = TableState::tsBrowse;
    // An empty table has no record to remove; cutting one slot would eat into the definitions.
    if (recordCount_ > 0) {
        const std::int64_t at = CurrentPosition();
        const std::int64_t end = SlotPosition(recordCount_);
        Guarded(at, file_.Size() - at, [&] {
            file_.Move(at + recordSize_, at, end - at - recordSize_);
            file_.Truncate(end - recordSize_);
        });
        --recordCount_;
        if (recNo_ >= recordCount_)
            recNo_ = recordCount_ - 1;
    }
    ReadRecord();
    Changed();
}

void TMyTable::Changed() {
    if (onChange_)
        onChange_();
}

} // namespace nubra

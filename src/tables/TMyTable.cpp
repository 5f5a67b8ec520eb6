#include "TMyTable.h"

#include "Cp1250.h"
#include "TableError.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <filesystem>

namespace nubra {
namespace {

constexpr const char* kDescription = "Prosta tabela dla potrzeb własnych";

std::uint64_t LoadLe(const std::uint8_t* p, int bytes) {
    std::uint64_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    return v;
}

void StoreLe(std::uint8_t* p, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

bool IsBlank(const std::string& s) {
    return s.find_first_not_of(' ') == std::string::npos;
}

int StoredSize(FieldType type, int size) {
    switch (type) {
    case FieldType::ftFloat:
    case FieldType::ftCurrency:
        return 8;
    case FieldType::ftInteger:
    case FieldType::ftAutoInc:
        return 4;
    case FieldType::ftString:
        return size;
    }
    return size;
}

[[noreturn]] void ConversionFailed(FieldType type) {
    static constexpr const char* kMessages[] = {
        "Nie udała się konwersja do typu ftInteger..", "Nie udała się konwersja do typu ftFloat..",
        "Nie udała się konwersja do typu ftCurrency..", "Nie udała się konwersja do typu ftString.."};
    throw TableError(kMessages[static_cast<int>(type)]);
}

// Rounds to the nearest integer, halves to even, as the variant conversions of the program do.
std::optional<std::int64_t> RoundToInt64(double v, double limit) {
    if (!std::isfinite(v) || std::fabs(v) >= limit)
        return std::nullopt;
    return static_cast<std::int64_t>(std::nearbyint(v));
}

std::optional<std::int32_t> ToInteger(const FieldValue& value) {
    if (const auto* i = std::get_if<std::int32_t>(&value))
        return *i;
    if (const auto* d = std::get_if<double>(&value)) {
        const auto r = RoundToInt64(*d, 2147483648.5);
        if (r && *r >= INT32_MIN && *r <= INT32_MAX)
            return static_cast<std::int32_t>(*r);
        return std::nullopt;
    }
    if (const auto* c = std::get_if<Currency>(&value)) {
        const auto r = RoundToInt64(static_cast<double>(c->scaled) / Currency::kScale, 2147483648.5);
        if (r && *r >= INT32_MIN && *r <= INT32_MAX)
            return static_cast<std::int32_t>(*r);
        return std::nullopt;
    }
    if (const auto* s = std::get_if<std::string>(&value))
        return ParseInteger(*s);
    return std::nullopt;
}

std::optional<double> ToDouble(const FieldValue& value) {
    if (const auto* i = std::get_if<std::int32_t>(&value))
        return *i;
    if (const auto* d = std::get_if<double>(&value))
        return *d;
    if (const auto* c = std::get_if<Currency>(&value))
        return static_cast<double>(c->scaled) / Currency::kScale;
    if (const auto* s = std::get_if<std::string>(&value))
        return ParseDouble(*s);
    return std::nullopt;
}

std::optional<Currency> ToCurrency(const FieldValue& value) {
    if (const auto* i = std::get_if<std::int32_t>(&value))
        return Currency{static_cast<std::int64_t>(*i) * Currency::kScale};
    if (const auto* d = std::get_if<double>(&value)) {
        if (const auto r = RoundToInt64(*d * Currency::kScale, 9.2e18))
            return Currency{*r};
        return std::nullopt;
    }
    if (const auto* c = std::get_if<Currency>(&value))
        return *c;
    if (const auto* s = std::get_if<std::string>(&value))
        return ParseCurrency(*s);
    return std::nullopt;
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
    // A nameless field would make the file unreadable, so it is refused even as the first field;
    // names are compared as stored, cut to 16 characters.
    const std::string stored = name.substr(0, FieldDef::kMaxNameLength);
    if (name.empty())
        throw TableError("Niewłaściwa nazwa pola..");
    for (const auto& f : fields_)
        if (f.name == stored)
            throw TableError("Pole o podanej nawie już istnieje..");
    if (FieldCount() >= kMaxFields)
        throw TableError(
            "Nie można dodać pola, ponieważ spowodowało by to przekroczenie limitu ilości pól..");
    // The size tested is the one stored, so a table that is created can always be opened.
    const int fieldSize = StoredSize(type, size);
    if (fieldSize < 0 || fieldSize + recordSize_ > kMaxRecordSize)
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
    StoreLe(&bytes[84], fields_.size(), 4);
    for (std::size_t i = 0; i < fields_.size(); ++i)
        std::memcpy(&bytes[kHeaderSize + i * FieldDef::kSlotSize], fields_[i].slot.data(),
                    FieldDef::kSlotSize);
    TableFile out;
    if (!out.Create(FileName()) || out.WriteAt(0, bytes.data(), bytes.size()) != bytes.size())
        throw TableError("Błąd zapisu do pliku..");
}

void TMyTable::SetActive(bool active) {
    if (active)
        Open();
    else
        Close();
    active_ = active;
}

void TMyTable::FileError(int code) {
    file_.Close();
    fields_.clear();
    offsets_.clear();
    recordSize_ = 0;
    throw TableError("Błąd w pliku '" + tableName_ + "' #" + std::to_string(code) + "..");
}

void TMyTable::Open() {
    if (active_)
        throw TableError("Próba ponownego otwarcia tabeli..");
    fields_.clear();
    offsets_.clear();
    recordSize_ = 0;
    if (IsBlank(tableName_))
        throw TableError("Niewłaściwa nazwa tabeli..");
    if (!file_.Open(FileName()))
        throw TableError("Nie udało się otworzyć pliku tabeli '" + tableName_ + "'..");

    std::uint8_t header[kHeaderSize];
    if (file_.ReadAt(0, header, kHeaderSize) < kHeaderSize)
        FileError(1);
    // Counts outside 1..127 cannot come from this engine; reading them would overrun the definitions.
    const auto count = static_cast<std::int32_t>(LoadLe(&header[84], 4));
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
    if (size > kMaxRecordSize) {
        file_.Close();
        fields_.clear();
        offsets_.clear();
        throw TableError("Wielkość rekordu jest zbyt duża, większa od 1kB..");
    }
    recordSize_ = static_cast<int>(size);
    buffer_.assign(static_cast<std::size_t>(recordSize_), 0);
    dataOffset_ = kHeaderSize + static_cast<std::int64_t>(count) * FieldDef::kSlotSize;

    const std::int64_t dataBytes = file_.Size() - dataOffset_;
    atStart_ = true;
    atEnd_ = dataBytes <= 0;
    if (!atEnd_ && dataBytes < recordSize_)
        FileError(4);

    active_ = true;
    state_ = TableState::tsBrowse;
    // A trailing partial record counts as one, as stepping through the file would find it.
    const std::int64_t records = atEnd_ ? 0 : (dataBytes + recordSize_ - 1) / recordSize_;
    recordCount_ = static_cast<std::int32_t>(std::min<std::int64_t>(records, kMaxRecords));
    recNo_ = recordCount_ > 0 ? 0 : -1;
    ReadRecord();
    Changed();
}

void TMyTable::Close() {
    if (!active_)
        throw TableError("Próba ponownego zamknięcia tabeli..");
    active_ = false;
    try {
        WriteDefinitions();
    } catch (...) {
        file_.Close();
        fields_.clear();
        throw;
    }
    file_.Close();
    fields_.clear();
    offsets_.clear();
    recordSize_ = 0;
    state_ = TableState::tsBrowse;
    recordCount_ = 0;
    recNo_ = -1;
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
    atStart_ = atEnd_ = false;
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
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(LoadLe(p, 4)));
    case FieldType::ftFloat:
        return std::bit_cast<double>(LoadLe(p, 8));
    case FieldType::ftCurrency:
        return Currency{static_cast<std::int64_t>(LoadLe(p, 8))};
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
    if (!active_ || record < 0 || record >= recordCount_ || field < 0 || field >= FieldCount())
        return {};
    std::vector<std::uint8_t> bytes(buffer_.size(), 0);
    file_.ReadAt(SlotPosition(record), bytes.data(), bytes.size());
    return Decode(bytes.data(), field);
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
        StoreLe(p, static_cast<std::uint32_t>(*v), 4);
        break;
    }
    case FieldType::ftFloat: {
        const auto v = ToDouble(value);
        if (!v)
            ConversionFailed(f.type);
        StoreLe(p, std::bit_cast<std::uint64_t>(*v), 8);
        break;
    }
    case FieldType::ftCurrency: {
        const auto v = ToCurrency(value);
        if (!v)
            ConversionFailed(f.type);
        StoreLe(p, static_cast<std::uint64_t>(v->scaled), 8);
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

void TMyTable::Append() {
    if (!active_)
        return;
    std::fill(buffer_.begin(), buffer_.end(), 0);
    state_ = TableState::tsAdd;
}

void TMyTable::Insert() {
    if (!active_)
        return;
    std::fill(buffer_.begin(), buffer_.end(), 0);
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
    if (file_.WriteAt(kHeaderSize, bytes.data(), bytes.size()) != bytes.size())
        throw TableError("Błąd zapisu do pliku..");
}

void TMyTable::AssignAutoIncrements() {
    bool any = false;
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        FieldDef& f = fields_[i];
        if (f.type != FieldType::ftAutoInc)
            continue;
        f.counter = static_cast<std::int32_t>(static_cast<std::uint32_t>(f.counter) + 1);
        f.StoreCounter();
        StoreLe(buffer_.data() + offsets_[i], static_cast<std::uint32_t>(f.counter), 4);
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

bool TMyTable::Post() {
    if (!active_)
        return false;
    atStart_ = atEnd_ = false;
    int missing = -1;
    switch (state_) {
    case TableState::tsAdd:
        if (recordCount_ == kMaxRecords)
            return ReportLimit(
                "Nie mozna dodać rekordu, ponieważ została osiągnięta maksymalna liczba rekordów..");
        AssignAutoIncrements();
        missing = MissingRequiredField();
        if (missing < 0) {
            WriteRecordAt(SlotPosition(recordCount_));
            ++recordCount_;
            recNo_ = recordCount_ - 1;
        }
        break;
    case TableState::tsEdit:
        missing = MissingRequiredField();
        if (missing < 0)
            WriteRecordAt(CurrentPosition());
        break;
    case TableState::tsInsert:
        if (recordCount_ == kMaxRecords)
            return ReportLimit(
                "Nie mozna wstawić rekordu, ponieważ została osiągnięta maksymalna liczba rekordów..");
        AssignAutoIncrements();
        missing = MissingRequiredField();
        if (missing < 0) {
            const std::int64_t at = CurrentPosition();
            file_.Move(at, at + recordSize_, SlotPosition(recordCount_) - at);
            WriteRecordAt(at);
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
    atStart_ = atEnd_ = false;
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
        file_.Move(at + recordSize_, at, end - at - recordSize_);
        file_.Truncate(end - recordSize_);
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

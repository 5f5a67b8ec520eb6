// libFuzzer entry: the table engine's write operations. The input defines the fields of a new table
// and then edits it (append, insert, edit, set, post, cancel, delete, move); after every post and delete
// it is closed and opened again and must read exactly as it did, its definitions and counters included.
#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "FuzzCheck.h"
#include "ScratchFile.h"
#include "TMyTable.h"
#include "TableError.h"

namespace {

using nubra::FieldValue;

// Doubles by their bits, so a stored NaN equals itself.
bool Same(const FieldValue& a, const FieldValue& b) {
    if (std::holds_alternative<double>(a) && std::holds_alternative<double>(b))
        return std::bit_cast<std::uint64_t>(std::get<double>(a)) ==
               std::bit_cast<std::uint64_t>(std::get<double>(b));
    return a == b;
}

std::vector<std::vector<FieldValue>> Contents(const nubra::TMyTable& t) {
    std::vector<std::vector<FieldValue>> records;
    for (int r = 0; r < t.RecordCount(); ++r)
        records.push_back(t.PeekRecord(r));
    return records;
}

void Reopen(nubra::TMyTable& t) {
    using nubra::fuzz::Require;
    const auto before = Contents(t);
    std::vector<nubra::FieldDef> fields;
    for (int f = 0; f < t.FieldCount(); ++f)
        fields.push_back(t.Field(f));
    const int current = t.RecNo();
    t.Close();
    t.Open();
    const auto after = Contents(t);
    Require(before.size() == after.size(), "the record count survives reopening");
    Require(static_cast<int>(fields.size()) == t.FieldCount(), "the fields survive reopening");
    for (std::size_t f = 0; f < fields.size(); ++f) {
        const nubra::FieldDef& d = t.Field(static_cast<int>(f));
        Require(d.name == fields[f].name && d.type == fields[f].type && d.size == fields[f].size &&
                    d.required == fields[f].required && d.counter == fields[f].counter,
                "a field definition survives reopening");
    }
    for (std::size_t r = 0; r < before.size(); ++r)
        for (std::size_t f = 0; f < before[r].size(); ++f)
            Require(Same(before[r][f], after[r][f]), "a stored value survives reopening");
    if (current >= 0)
        t.GoToRecord(current);
}

FieldValue AnyValue(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange(0, 4)) {
    case 0:
        return in.ConsumeIntegral<std::int32_t>();
    case 1:
        return in.ConsumeFloatingPoint<double>();
    case 2:
        return nubra::Currency{in.ConsumeIntegral<std::int64_t>()};
    case 3:
        return in.ConsumeRandomLengthString(40);
    default:
        return std::monostate{};
    }
}

void Define(FuzzedDataProvider& in, nubra::TMyTable& t) {
    const int count = in.ConsumeIntegralInRange(1, 8);
    for (int i = 0; i < count; ++i) {
        const auto type = static_cast<nubra::FieldType>(in.ConsumeIntegralInRange(0, 4));
        const auto alignment = static_cast<nubra::Alignment>(in.ConsumeIntegralInRange(0, 2));
        const bool required = in.ConsumeBool();
        const int size = in.ConsumeIntegralInRange(-2, 300);
        std::string name = in.ConsumeRandomLengthString(18);
        if (name.empty())
            name = "P" + std::to_string(i);
        try {
            t.AddField(name, type, alignment, required, size);
        } catch (const nubra::TableError&) {
        }
    }
}

// True for the operations that write the file.
bool Operate(FuzzedDataProvider& in, nubra::TMyTable& t) {
    switch (in.ConsumeIntegralInRange(0, 8)) {
    case 0:
        t.Append();
        break;
    case 1:
        t.Insert();
        break;
    case 2:
        t.Edit();
        break;
    case 3:
    case 4:
        t.SetField(in.ConsumeIntegralInRange(-1, t.FieldCount()), AnyValue(in));
        break;
    case 5:
        return t.Post();
    case 6:
        t.Cancel();
        break;
    case 7:
        t.Delete();
        return true;
    case 8:
        t.GoToRecord(in.ConsumeIntegralInRange(-1, t.RecordCount()));
        break;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    nubra::fuzz::ScratchFile file("table_write", ".tbl");
    nubra::TMyTable t;
    t.SetTableName(file.Base());
    t.SetMessageHandler([](const std::string&) {});
    try {
        Define(in, t);
        if (t.FieldCount() == 0)
            return 0;
        t.CreateTable();
        t.Open();
    } catch (const nubra::TableError&) {
        return 0;
    }
    for (int i = 0; i < 48 && in.remaining_bytes() > 0; ++i) {
        bool wrote = false;
        try {
            wrote = Operate(in, t);
        } catch (const nubra::TableError&) {
        }
        if (wrote && t.Active() && t.State() == nubra::TableState::tsBrowse)
            Reopen(t);
    }
    return 0;
}

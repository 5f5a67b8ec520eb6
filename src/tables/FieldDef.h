#pragma once
// One field definition as stored in the 36-byte slot after the table header.
#include <array>
#include <cstdint>
#include <string>

namespace nubra {

enum class FieldType : std::uint8_t {
    ftInteger = 0,
    ftFloat = 1,
    ftCurrency = 2,
    ftString = 3,
    ftAutoInc = 4
};
enum class Alignment : std::uint8_t { Left = 0, Right = 1, Center = 2 };
enum class TableState { tsBrowse = 0, tsAdd = 1, tsInsert = 2, tsEdit = 3 };

struct FieldDef {
    static constexpr int kSlotSize = 36;
    static constexpr int kMaxNameLength = 16;

    std::string name; // Windows-1250, 1..16 bytes
    FieldType type = FieldType::ftString;
    std::int32_t size = 0;
    bool required = false;
    std::int32_t counter = 0; // last value given to an ftAutoInc field
    std::uint8_t alignment = 0;
    // The slot as read or built, so reserved bytes of foreign files survive a rewrite.
    std::array<std::uint8_t, kSlotSize> slot{};

    // Builds the slot from the fields above (reserved bytes zero).
    void Encode();
    // Refreshes the counter bytes of the slot.
    void StoreCounter();
    // Fills the fields from the slot; false when it is not a valid definition.
    bool Decode();
    // The bytes a field of the type takes in the record; the given size counts only for ftString.
    static int StoredSize(FieldType type, int size);
};

} // namespace nubra

#include "FieldDef.h"

#include "LittleEndian.h"

#include <algorithm>
#include <cstring>

namespace nubra {

void FieldDef::Encode() {
    slot.fill(0);
    const size_t length = std::min<size_t>(name.size(), kMaxNameLength);
    slot[0] = static_cast<std::uint8_t>(length);
    std::memcpy(&slot[1], name.data(), length);
    slot[17] = static_cast<std::uint8_t>(type);
    le::StoreInt32(&slot[20], size);
    slot[24] = required ? 1 : 0;
    le::StoreInt32(&slot[28], counter);
    slot[32] = alignment;
}

void FieldDef::StoreCounter() {
    le::StoreInt32(&slot[28], counter);
}

bool FieldDef::Decode() {
    const int length = slot[0];
    if (length < 1 || length > kMaxNameLength || slot[17] > static_cast<std::uint8_t>(FieldType::ftAutoInc))
        return false;
    name.assign(reinterpret_cast<const char*>(&slot[1]), static_cast<size_t>(length));
    type = static_cast<FieldType>(slot[17]);
    size = le::LoadInt32(&slot[20]);
    required = slot[24] != 0;
    counter = le::LoadInt32(&slot[28]);
    alignment = slot[32];
    // The record layout depends on these sizes; a file that disagrees with its own types is damaged.
    return type == FieldType::ftString ? size >= 0 : size == StoredSize(type, size);
}

int FieldDef::StoredSize(FieldType type, int size) {
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

} // namespace nubra

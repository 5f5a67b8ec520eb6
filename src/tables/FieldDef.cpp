#include "FieldDef.h"

#include <algorithm>
#include <cstring>

namespace nubra {
namespace {

void PutInt32(std::uint8_t* p, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int32_t GetInt32(const std::uint8_t* p) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i)
        u |= static_cast<std::uint32_t>(p[i]) << (8 * i);
    return static_cast<std::int32_t>(u);
}

} // namespace

void FieldDef::Encode() {
    slot.fill(0);
    const size_t length = std::min<size_t>(name.size(), kMaxNameLength);
    slot[0] = static_cast<std::uint8_t>(length);
    std::memcpy(&slot[1], name.data(), length);
    slot[17] = static_cast<std::uint8_t>(type);
    PutInt32(&slot[20], size);
    slot[24] = required ? 1 : 0;
    PutInt32(&slot[28], counter);
    slot[32] = alignment;
}

void FieldDef::StoreCounter() {
    PutInt32(&slot[28], counter);
}

bool FieldDef::Decode() {
    const int length = slot[0];
    if (length < 1 || length > kMaxNameLength || slot[17] > static_cast<std::uint8_t>(FieldType::ftAutoInc))
        return false;
    name.assign(reinterpret_cast<const char*>(&slot[1]), static_cast<size_t>(length));
    type = static_cast<FieldType>(slot[17]);
    size = GetInt32(&slot[20]);
    required = slot[24] != 0;
    counter = GetInt32(&slot[28]);
    alignment = slot[32];
    // The record layout depends on these sizes; a file that disagrees with its own types is damaged.
    switch (type) {
    case FieldType::ftInteger:
    case FieldType::ftAutoInc:
        return size == 4;
    case FieldType::ftFloat:
    case FieldType::ftCurrency:
        return size == 8;
    case FieldType::ftString:
        return size >= 0;
    }
    return false;
}

} // namespace nubra

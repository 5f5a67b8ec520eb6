#pragma once
// Little-endian integers of the table file, byte by byte so any host reads the same file.
#include <cstdint>

namespace nubra::le {

inline std::uint64_t Load(const std::uint8_t* p, int bytes) {
    std::uint64_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= static_cast<std::uint64_t>(p[i]) << (8 * i);
    return v;
}

inline void Store(std::uint8_t* p, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline std::int32_t LoadInt32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(Load(p, 4)));
}

inline void StoreInt32(std::uint8_t* p, std::int32_t v) {
    Store(p, static_cast<std::uint32_t>(v), 4);
}

} // namespace nubra::le

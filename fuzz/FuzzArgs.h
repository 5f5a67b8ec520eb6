#pragma once
// A command line from a fuzz input: the arguments are the input split at NUL bytes (none when it is
// empty), as the system hands them to a program.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace nubra::fuzz {

inline std::vector<std::string> Arguments(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args;
    if (size > 0)
        args.emplace_back();
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            args.emplace_back();
        else
            args.back() += static_cast<char>(data[i]);
    }
    return args;
}

} // namespace nubra::fuzz

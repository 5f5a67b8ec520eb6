#pragma once
// A request refused before anything is sent: field names where it came from ("price",
// "lines[0].price"), what() is the program's Polish message.
#include <stdexcept>
#include <string>

namespace nubra::ops {

class InvalidRequest : public std::runtime_error {
public:
    InvalidRequest(std::string field, const std::string& message)
        : std::runtime_error(message), field(std::move(field)) {}
    std::string field;
};

} // namespace nubra::ops

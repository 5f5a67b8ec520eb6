#pragma once
// Base of every error the program raises: what() is the Polish message (UTF-8) shown to the user as
// it stands. One top-level handler in the window layer catches it and keeps the program running.
#include <stdexcept>
#include <string>

namespace nubra {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace nubra

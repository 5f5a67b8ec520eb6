#pragma once
// Errors of the table engine: what() is the Polish message shown to the user.
#include "NubraError.h"

namespace nubra {

class TableError : public Error {
public:
    using Error::Error;
};

} // namespace nubra

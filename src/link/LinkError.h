#pragma once
// The one error type of the link: a lost line or a damaged frame. what() is the Polish message.
#include <string>

#include "NubraError.h"

namespace nubra {

class LinkError : public Error {
public:
    using Error::Error;

    // "Brak komunikacji z drukarką. ..."
    static LinkError NoCommunication();
    // The received and the computed checksum pair (Windows-1250 bytes as they came).
    static LinkError Checksum(const std::string& received, const std::string& computed);
};

} // namespace nubra

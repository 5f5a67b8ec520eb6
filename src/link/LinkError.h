#pragma once
// The one error type of the link: a lost line or a damaged frame. what() is the Polish message.
#include <string>

#include "NubraError.h"

namespace nubra {

class LinkError : public Error {
public:
    enum class Kind { Other, NoCommunication, Checksum };

    explicit LinkError(const std::string& message, Kind kind = Kind::Other) : Error(message), kind_(kind) {}

    // "Brak komunikacji z drukarką. ..."
    static LinkError NoCommunication();
    // The received and the computed checksum pair (Windows-1250 bytes as they came).
    static LinkError Checksum(const std::string& received, const std::string& computed);

    // The line that a failure after a changing command's last byte adds to the message.
    static constexpr const char* UnknownOutcomeLine =
        "Nie wiadomo, czy kasa wykonała rozkaz. Sprawdź stan rejestru przed ponowieniem.";
    // The same failure once the device may have carried the command out: its message gains
    // UnknownOutcomeLine. An error already marked so stays as it is.
    LinkError WithOutcomeUnknown() const;

    Kind GetKind() const { return kind_; }
    // True when the device may or may not have done what the interrupted command asked; false
    // when nothing was done (the failure came before the command had gone out whole, or the
    // command only reads).
    bool OutcomeUnknown() const { return outcomeUnknown_; }

private:
    Kind kind_;
    bool outcomeUnknown_ = false;
};

} // namespace nubra

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

    // The line went during the exchange (hung up, adapter pulled): the link has closed the port and
    // reopens it at the next command. The message stays the no-communication one; a program that
    // runs on (the windows) names the port instead (TNX3Class::LostPortMessage).
    LinkError WithLineLost() const;
    bool LineLost() const { return lineLost_; }
    // A command while the lost port is still not back: nothing was sent. The message is a short
    // note, for a status line rather than a message box after the one that said the port went.
    static LinkError StillLost(const std::string& note);
    bool PortStillLost() const { return stillLost_; }

    Kind GetKind() const { return kind_; }
    // True when the device may or may not have done what the interrupted command asked; false
    // when nothing was done (the failure came before the command had gone out whole, or the
    // command only reads).
    bool OutcomeUnknown() const { return outcomeUnknown_; }

private:
    Kind kind_;
    bool outcomeUnknown_ = false;
    bool lineLost_ = false;
    bool stillLost_ = false;
};

} // namespace nubra

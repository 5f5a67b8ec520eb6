#include "LinkError.h"

#include "Cp1250.h"
#include "TNX3Class.h"

namespace nubra {

LinkError LinkError::NoCommunication() {
    return LinkError(TNX3Class::NoCommunicationMessage, Kind::NoCommunication);
}

LinkError LinkError::Checksum(const std::string& received, const std::string& computed) {
    // Twenty spaces after the colon, as the printer's service documents show it.
    return LinkError("Błąd sumy kontrolnej:                    \r\nKasa: " + cp1250::ToUtf8(received) +
                         "\r\nProgram: " + cp1250::ToUtf8(computed),
                     Kind::Checksum);
}

LinkError LinkError::WithOutcomeUnknown() const {
    if (outcomeUnknown_)
        return *this;
    LinkError unknown(std::string(what()) + "\r\n" + UnknownOutcomeLine, kind_);
    unknown.outcomeUnknown_ = true;
    unknown.lineLost_ = lineLost_;
    unknown.stillLost_ = stillLost_;
    return unknown;
}

LinkError LinkError::WithLineLost() const {
    LinkError lost(*this);
    lost.lineLost_ = true;
    return lost;
}

LinkError LinkError::StillLost(const std::string& note) {
    LinkError still(note, Kind::NoCommunication);
    still.stillLost_ = true;
    return still;
}

} // namespace nubra

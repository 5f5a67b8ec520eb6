#pragma once
// Device text (Windows-1250) to and from the windows' text.
#include <QString>
#include <string>

#include "Cp1250.h"

namespace nubra::service {

inline QString Dev(const std::string& cp1250) {
    return QString::fromStdString(cp1250::ToUtf8(cp1250));
}

inline std::string ToDev(const QString& text) {
    return cp1250::FromUtf8(text.toStdString());
}

} // namespace nubra::service

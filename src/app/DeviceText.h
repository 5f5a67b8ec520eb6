#pragma once
// Text between the windows (QString) and the link and the tables (Windows-1250 bytes).
#include <QString>
#include <string>

#include "Cp1250.h"

namespace nubra::app {

inline std::string ToDevice(const QString& text) {
    return cp1250::FromUtf8(text.toStdString());
}
inline QString FromDevice(const std::string& cp1250) {
    return QString::fromStdString(cp1250::ToUtf8(cp1250));
}

} // namespace nubra::app

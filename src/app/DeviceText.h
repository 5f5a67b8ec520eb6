#pragma once
// Text between the windows (QString) and the link and the tables (Windows-1250 bytes).
#include <QString>
#include <string>

#include "Cp1250.h"
#include "TextCheck.h"

namespace nubra::app {

// Typed or pasted text on its way into a frame: a control character or one the code page lacks raises
// TextError naming it ("<where>: <why>."), which the action's top-level handler shows; nothing is sent.
inline std::string ToDevice(const QString& text, const std::string& where = "Wpisany tekst",
                            DeviceCharset charset = DeviceCharset::Windows1250) {
    return DeviceBytes(text.toStdString(), where, charset);
}
// As the bytes stand, characters outside the code page as '?': raw service printing (its own control
// bytes), a file the user saves, a number parsed by itself.
inline std::string ToDeviceAsIs(const QString& text) {
    return cp1250::FromUtf8(text.toStdString());
}
inline QString FromDevice(const std::string& cp1250) {
    return QString::fromStdString(cp1250::ToUtf8(cp1250));
}

} // namespace nubra::app

#pragma once
// The one check of text on its way into a frame's data, whatever supplied it (a sale file, a
// snapshot, a .hdr file, a table record, a command line, a window's edit): a control byte would break
// the frame, and a character the printer's code page lacks would be printed as another one. Raw
// service printing sends its own control bytes and is not checked.
#include <string>
#include <string_view>

#include "NubraError.h"

namespace nubra {

enum class DeviceCharset {
    Windows1250, // frame data
    Mazovia,     // header and footer lines: ASCII and the Polish letters
};

// A refused text; what() says where it came from and which character is wrong.
class TextError : public Error {
public:
    using Error::Error;
};

// Why the text cannot go to the printer ("znak sterujący (kod 0x03) ..."); empty when it can.
// utf8: the text is UTF-8 (a file's, the user's); else Windows-1250 bytes (a table field, a .hdr line).
std::string TextFault(std::string_view text, bool utf8, DeviceCharset charset = DeviceCharset::Windows1250);

// UTF-8 to the Windows-1250 bytes of a frame's data. Raises TextError "<where>: <fault>.".
std::string DeviceBytes(std::string_view utf8, const std::string& where,
                        DeviceCharset charset = DeviceCharset::Windows1250);
// Windows-1250 bytes checked the same way.
void CheckDeviceBytes(std::string_view cp1250, const std::string& where,
                      DeviceCharset charset = DeviceCharset::Windows1250);

} // namespace nubra

#include "OemGlyphs.h"

#include "OemText.h"

namespace nubra::app {

QString OemGlyphs(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char ch : bytes)
        text.append(QChar(static_cast<char16_t>(OemGlyph(static_cast<unsigned char>(ch)))));
    return text;
}

} // namespace nubra::app

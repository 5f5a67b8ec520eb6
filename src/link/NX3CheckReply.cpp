// Judging a command's final reply and explaining it from the description table.
#include "Cp1250.h"
#include "TNX3Class.h"

namespace nubra {
namespace {

// Characters [first, first + count) of a UTF-8 text, counted in code points (the table is cut by
// character position; Polish letters are two bytes here).
std::string Chars(const std::string& utf8, std::size_t first, std::size_t count) {
    std::size_t begin = utf8.size();
    std::size_t end = utf8.size();
    std::size_t index = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80)
            continue;
        if (index == first)
            begin = i;
        if (index == first + count) {
            end = i;
            break;
        }
        ++index;
    }
    return begin >= end ? std::string{} : utf8.substr(begin, end - begin);
}

std::string From(const std::string& utf8, std::size_t first) {
    return Chars(utf8, first, std::string::npos / 2);
}

bool IsCommandLine(const std::string& entry) {
    return Chars(entry, 0, 1) == "(" && Chars(entry, 3, 1) == ")";
}

} // namespace

std::string TNX3Class::ErrorDescription(const std::string& command, const std::string& reply) const {
    const std::string cmd = cp1250::ToUtf8(command);
    const std::string code = cp1250::ToUtf8(reply);
    std::string error = "Brak opisu błędu";
    const std::size_t n = Descriptions.size();

    std::size_t i = 0;
    while (i < n && !(IsCommandLine(Descriptions[i]) && Chars(Descriptions[i], 1, 2) == cmd))
        ++i;
    if (i == n)
        return error;

    // The command's own errors, up to the next command line.
    for (++i; i < n && !IsCommandLine(Descriptions[i]); ++i)
        if (Chars(Descriptions[i], 0, 2) == code)
            return From(Descriptions[i], 3);

    // The common section, then the extended codes anywhere in the table.
    while (i < n && Chars(Descriptions[i], 0, 4) != "(  )")
        ++i;
    // Only a two-character code line: "X2" alone is not the first extended code.
    for (++i; i < n; ++i) {
        if (Chars(Descriptions[i], 0, 2) == code && Chars(Descriptions[i], 2, 1) == "-") {
            error = From(Descriptions[i], 3);
            break;
        }
    }
    for (const std::string& entry : Descriptions) {
        if (Chars(entry, 0, 6) == code) {
            error = From(entry, 7);
            break;
        }
    }
    return error;
}

bool TNX3Class::CheckReply(const std::string& command, const std::string& reply) {
    if (reply.empty())
        return false;
    if (reply == "I1" || reply == "D1")
        return true;
    ui_.ShowError(ErrorDescription(command, reply));
    return false;
}

} // namespace nubra

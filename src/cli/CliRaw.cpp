// raw: one command with its data frames, and every frame that comes back.
#include <cctype>

#include "CliCommands.h"
#include "Cp1250.h"
#include "LinkError.h"
#include "ProtocolLog.h"
#include "TNX3Class.h"

namespace nubra::cli {
namespace {

// After the closing code, frames that follow it ("I7", "ES" send their data after "D1") come at once.
constexpr float kTrailingSeconds = 0.3f;

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// An argument as device bytes: UTF-8 to Windows-1250; "\xNN" gives any byte, "\\" a backslash.
std::string DeviceBytes(const std::string& argument) {
    std::string text;
    for (std::size_t i = 0; i < argument.size(); ++i) {
        if (argument[i] != '\\' || i + 1 >= argument.size()) {
            text += argument[i];
        } else if (argument[i + 1] == '\\') {
            text += '\\';
            ++i;
        } else if (argument[i + 1] == 'x' && i + 3 < argument.size() && HexDigit(argument[i + 2]) >= 0 &&
                   HexDigit(argument[i + 3]) >= 0) {
            text += static_cast<char>(HexDigit(argument[i + 2]) * 16 + HexDigit(argument[i + 3]));
            i += 3;
        } else {
            throw UsageError("Nieznana sekwencja w danych: " + argument.substr(i, 4) + ".");
        }
    }
    return cp1250::FromUtf8(text);
}

bool IsCode(const std::string& payload) {
    return payload.size() == 2 && std::isupper(static_cast<unsigned char>(payload[0]));
}

} // namespace

bool RunRaw(CliContext& c, const std::vector<std::string>& args) {
    ExpectArgs(args, 1, 64);
    const std::string code = DeviceBytes(args[0]);
    if (code.empty())
        throw UsageError("Brak kodu rozkazu.");
    std::vector<std::string> data;
    for (std::size_t i = 1; i < args.size(); ++i)
        data.push_back(DeviceBytes(args[i]));

    std::vector<std::string> frames;
    std::string closing;
    c.link.GuardOutcome(code, 1 + data.size(), [&] {
        c.link.SendCommand(code, closing);
        frames.push_back(closing);
        if (closing != "I1")
            return;
        for (const std::string& frame : data)
            c.link.SendFrame(frame);
        closing.clear();
        while (closing.empty()) {
            std::string payload;
            c.link.ReceiveFrame(payload);
            frames.push_back(payload);
            if (IsCode(payload) && payload != "I1")
                closing = payload;
        }
    });
    c.link.SetTimeouts(kTrailingSeconds);
    try {
        for (;;) {
            std::string payload;
            c.link.ReceiveFrame(payload);
            frames.push_back(payload);
        }
    } catch (const LinkError&) {
        // Silence: the command has said everything.
    }
    c.link.SetTimeouts(2.0f);

    std::vector<CliResult> rows;
    for (const std::string& payload : frames) {
        CliResult row;
        row.Add("payload", "", cp1250::ToUtf8(payload));
        row.AddLine(LogText(TNX3Class::Frame(payload)));
        rows.push_back(row);
    }
    c.result.AddList("frames", rows);
    // An extended code: "X2" and the frame of its four digits.
    if (closing == "X2" && frames.size() > 1)
        closing += frames.back();
    return c.link.CheckReply(code, closing);
}

} // namespace nubra::cli

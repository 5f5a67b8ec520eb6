#pragma once
// The link against a printer whose every byte the fuzzer chooses: an open link on an in-memory line,
// with window callbacks that do nothing but close the wait window once the line has gone quiet.
//
// Input: an operation number, a flags byte (bits 0-1: no code page, Mazovia, Latin 2; bits 2-3: printer
// type 2, -1, 0, 1; bit 4: every frame of a chunk gets its right checksum), two parameter bytes, then
// the printer's answers as chunks of a length byte and that many bytes. Chunk n becomes readable after
// the program's n-th write (chunk 0 at once), as a printer answers what it was sent. With bit 4 the
// fuzzer's changes to the data reach the readers instead of ending at the checksum test.
//
// A run may end in the link's own error; any other exception is a crash. Afterwards the cursor must be
// the default one and the wait window hidden.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "LinkUi.h"
#include "NubraError.h"
#include "ScriptedLine.h"
#include "TNX3Class.h"

namespace nubra::fuzz {

struct LinkCase {
    TNX3Class& link;
    std::uint8_t a;
    std::uint8_t b;
};

using LinkOperation = std::function<void(LinkCase&)>;

class QuietLinkUi : public LinkUi {
public:
    // A wait gives up after this many idle turns: more than the bytes there are to read.
    explicit QuietLinkUi(std::size_t patience) : patience_(patience) {}

    TNX3Class* Link = nullptr;
    bool Busy = false;
    bool WaitVisible = false;

    void ShowMessage(const std::string&, MessageIcon) override {}
    void ShowError(const std::string&) override {}
    void ShowWait() override {
        WaitVisible = true;
        turns_ = 0;
        Link->AbortRequested = false;
    }
    void HideWait() override {
        WaitVisible = false;
        Link->AbortRequested = true;
    }
    void ProcessMessages() override {
        if (++turns_ > patience_ && WaitVisible)
            HideWait();
    }
    void AddLogLine(const std::string&) override {}
    void SetBusyCursor(bool busy) override { Busy = busy; }

private:
    std::size_t patience_;
    std::size_t turns_ = 0;
};

// STX, the payload, ETX and two bytes: those two become the payload's checksum.
inline std::string WithChecksums(std::string bytes) {
    for (std::size_t stx = bytes.find(TNX3Class::STX); stx != std::string::npos;
         stx = bytes.find(TNX3Class::STX, stx + 1)) {
        const std::size_t etx = bytes.find(TNX3Class::ETX, stx + 1);
        if (etx == std::string::npos || etx + 2 >= bytes.size())
            break;
        bytes.replace(etx + 1, 2, TNX3Class::Checksum(bytes.substr(stx + 1, etx - stx - 1)));
        stx = etx + 2;
    }
    return bytes;
}

inline int RunLinkCase(const std::uint8_t* data, std::size_t size,
                       const std::vector<LinkOperation>& operations) {
    if (size < 4 || operations.empty())
        return 0;
    const LinkOperation& operation = operations[data[0] % operations.size()];
    const std::uint8_t flags = data[1];

    auto owned = std::make_unique<ScriptedLine>();
    ScriptedLine& line = *owned;
    QuietLinkUi ui(size + 16);
    TNX3Class link("/nubra5/", ui, std::move(owned));
    ui.Link = &link;
    link.Sleep = [](int) {};
    static constexpr int kPrinterTypes[] = {2, -1, 0, 1};
    link.PrinterType = kPrinterTypes[(flags >> 2) & 3];
    if ((flags & 3) != 0)
        link.SelectCodePage((flags & 3) == 1);
    if (!link.OpenPort(1))
        return 0;

    int writes = 0;
    for (std::size_t at = 4; at < size; ++writes) {
        const std::size_t length = std::min<std::size_t>(data[at], size - at - 1);
        std::string chunk(reinterpret_cast<const char*>(data) + at + 1, length);
        if (flags & 0x10)
            chunk = WithChecksums(std::move(chunk));
        line.Feed(std::move(chunk), ScriptedLine::When{writes, 0, 0});
        at += 1 + length;
    }

    LinkCase c{link, data[2], data[3]};
    try {
        operation(c);
    } catch (const nubra::Error&) {
    }
    Require(!ui.Busy, "the cursor is the default one again");
    Require(!ui.WaitVisible, "the wait window is hidden");
    return 0;
}

} // namespace nubra::fuzz

#include "DeviceCodePage.h"

#include <array>

namespace nubra::sim {
namespace {

struct Letter {
    unsigned char windows;
    unsigned char mazovia;
    unsigned char latin2;
};

// The eighteen Polish letters; both device code pages carry all of them.
constexpr std::array<Letter, 18> kLetters = {{
    {0xB9, 0x86, 0xA5},
    {0xE6, 0x8D, 0x86},
    {0xEA, 0x91, 0xA9},
    {0xB3, 0x92, 0x88},
    {0xF1, 0xA4, 0xE4},
    {0xF3, 0xA2, 0xA2},
    {0x9C, 0x9E, 0x98},
    {0x9F, 0xA6, 0xAB},
    {0xBF, 0xA7, 0xBE},
    {0xA5, 0x8F, 0xA4},
    {0xC6, 0x95, 0x8F},
    {0xCA, 0x90, 0xA8},
    {0xA3, 0x9C, 0x9D},
    {0xD1, 0xA5, 0xE3},
    {0xD3, 0xA3, 0xE0},
    {0x8C, 0x98, 0x97},
    {0x8F, 0xA0, 0x8D},
    {0xAF, 0xA1, 0xBD},
}};

unsigned char DeviceByte(const Letter& l, DeviceCodePage page) {
    return page == DeviceCodePage::Mazovia ? l.mazovia : l.latin2;
}

} // namespace

std::string ToDeviceText(std::string_view cp1250, DeviceCodePage page) {
    std::string out(cp1250);
    for (char& c : out) {
        for (const Letter& l : kLetters) {
            if (static_cast<unsigned char>(c) == l.windows) {
                c = static_cast<char>(DeviceByte(l, page));
                break;
            }
        }
    }
    return out;
}

std::string FromDeviceText(std::string_view device, DeviceCodePage page) {
    std::string out(device);
    for (char& c : out) {
        for (const Letter& l : kLetters) {
            if (static_cast<unsigned char>(c) == DeviceByte(l, page)) {
                c = static_cast<char>(l.windows);
                break;
            }
        }
    }
    return out;
}

} // namespace nubra::sim

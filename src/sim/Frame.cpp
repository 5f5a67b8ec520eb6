#include "Frame.h"

namespace nubra::sim {

std::string ChecksumOf(std::string_view payload) {
    unsigned char sum = 0xFF;
    for (char c : payload)
        sum ^= static_cast<unsigned char>(c);
    static constexpr char kHex[] = "0123456789ABCDEF";
    return {kHex[sum >> 4], kHex[sum & 0x0F]};
}

std::string MakeFrame(std::string_view payload) {
    std::string frame;
    frame.reserve(payload.size() + 4);
    frame += kStx;
    frame += payload;
    frame += kEtx;
    frame += ChecksumOf(payload);
    return frame;
}

} // namespace nubra::sim

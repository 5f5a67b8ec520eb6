#pragma once
// Cuts a reply's data field into consecutive fixed-width fields, in the order the printer sends them.
// A field beyond the end of short data is empty (a missing byte reads as 0): the printer's data are
// taken as they come, never trusted to be long enough.
#include <cstddef>
#include <string>

namespace nubra {

class DataFields {
public:
    explicit DataFields(const std::string& data) : data_(data) {}

    std::string Take(std::size_t width) {
        const std::size_t at = position_;
        position_ += width;
        return at < data_.size() ? data_.substr(at, width) : std::string{};
    }
    // One raw byte (a status byte).
    unsigned char TakeByte() {
        const std::size_t at = position_++;
        return at < data_.size() ? static_cast<unsigned char>(data_[at]) : 0;
    }
    void Skip(std::size_t width) { position_ += width; }

private:
    const std::string& data_;
    std::size_t position_ = 0;
};

} // namespace nubra

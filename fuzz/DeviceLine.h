#pragma once
// A line to the emulated NX-3 E in this process, for fuzz targets that need a printer which answers as
// the real one does: what the program writes reaches the device at once, and its answer is there to
// read. A wait the device never ends (nothing to read for a long while) is given up as the user would
// give it up, through OnIdle.
#include <cstddef>
#include <functional>
#include <string>

#include "Nx3Device.h"
#include "SerialLine.h"

namespace nubra::fuzz {

class DeviceLine : public SerialLine {
public:
    explicit DeviceLine(sim::Nx3Device& device) : device_(device) {}

    std::function<void()> OnIdle;
    int Writes() const { return writes_; }

    OpenResult Open(int) override {
        open_ = true;
        return OpenResult::Ok;
    }
    bool IsOpen() const override { return open_; }
    bool SetReadTimeout(int) override { return open_; }
    bool Purge() override {
        input_.clear();
        at_ = 0;
        return open_;
    }
    bool Write(const std::string& bytes) override {
        if (!open_)
            return false;
        ++writes_;
        device_.Receive(bytes);
        input_ += device_.TakeOutput();
        return true;
    }
    int ReadByte() override {
        if (at_ < input_.size()) {
            idle_ = 0;
            return static_cast<unsigned char>(input_[at_++]);
        }
        if (++idle_ > kPatience && OnIdle)
            OnIdle();
        return -1;
    }
    bool Close() override {
        open_ = false;
        return true;
    }

private:
    static constexpr int kPatience = 64;

    sim::Nx3Device& device_;
    std::string input_;
    std::size_t at_ = 0;
    int writes_ = 0;
    int idle_ = 0;
    bool open_ = false;
};

} // namespace nubra::fuzz

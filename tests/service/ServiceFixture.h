#pragma once
// The program against the emulator, with the fiscal and service windows at hand.
#include <algorithm>

#include "DeviceWindowFixture.h"

namespace nubra::testing {

class ServiceFixture : public DeviceWindowFixture {
public:
    template <class T> T* Form(const char* name) const {
        return main->WindowAs<T>(QString::fromLatin1(name));
    }

    // The data frame the program sent right after the command code; empty when the code was not sent.
    std::string DataAfter(const std::string& code) const {
        const auto found = std::find(line->sent.begin(), line->sent.end(), code);
        return found == line->sent.end() || found + 1 == line->sent.end() ? std::string{} : *(found + 1);
    }

    void TriggerEntry(const char* objectName) {
        main->findChild<QAction*>(QString::fromLatin1(objectName))->trigger();
    }
};

} // namespace nubra::testing

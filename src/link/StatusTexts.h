#pragma once
// The main window's words for the status answers, shared by the program's message boxes and nx3cli.
#include <array>
#include <string>

#include "TNX3Class.h"

namespace nubra {

// The description of an "I3" error number; "Brak opisu..." for a number the program does not know.
std::string ErrorNumberDescription(int number);

struct TotalizerField {
    const char* key;   // nx3cli's JSON key
    const char* label; // "Ilość anulowanych paragonów: "
    std::string Totalizer::*field;
};

// The twelve "T2" fields in the order the message shows them.
const std::array<TotalizerField, 12>& TotalizerFields();

} // namespace nubra

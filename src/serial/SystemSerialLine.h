#pragma once
// The serial line of the system the program is built for.
#ifdef _WIN32
#include "Win32SerialLine.h"
namespace nubra {
using SystemSerialLine = Win32SerialLine;
}
#else
#include "PosixSerialLine.h"
namespace nubra {
using SystemSerialLine = PosixSerialLine;
}
#endif

#include "SystemPlaces.h"

#include "WindowsApi.h"

#include <shellapi.h>

#include <cstdio>
#include <filesystem>

#include "WideText.h"

namespace nubra::cli {
namespace {

std::string Environment(const wchar_t* name) {
    const DWORD n = ::GetEnvironmentVariableW(name, nullptr, 0);
    if (n == 0)
        return {};
    std::wstring value(n, L'\0');
    value.resize(::GetEnvironmentVariableW(name, value.data(), n));
    return Utf8FromWide(value);
}

} // namespace

// The command line as typed, whatever the console's code page: argv holds it in the ANSI one.
std::vector<std::string> SystemArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide)
        return std::vector<std::string>(argv + 1, argv + argc);
    std::vector<std::string> args;
    for (int i = 1; i < count; ++i)
        args.push_back(Utf8FromWide(wide[i]));
    ::LocalFree(wide);
    // Polish text goes out as UTF-8; a console shows it right only in that code page.
    ::SetConsoleOutputCP(CP_UTF8);
    return args;
}

// %APPDATA%\nubra5 takes the place of the XDG data folder.
CliPlaces SystemPlaces(const char* argv0) {
    std::wstring self(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
        if (n == 0) {
            self = WideFromUtf8(argv0);
            break;
        }
        if (n < self.size()) {
            self.resize(n);
            break;
        }
        self.resize(self.size() * 2);
    }
    const std::string folder = Utf8FromWide(std::filesystem::path(self).parent_path().wstring());
    return {folder, Environment(L"APPDATA"), Environment(L"USERPROFILE")};
}

std::string SystemDeviceFolder() {
    return {};
}

} // namespace nubra::cli

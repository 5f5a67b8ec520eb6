#include "FileText.h"

#include "AtomicFile.h"
#include "NubraError.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace nubra::toolkit {
namespace {

// Far beyond any catalogue or settings file; a larger one is not read into memory.
constexpr std::uintmax_t kMaxFileSize = 256u << 20;

} // namespace

std::string ReadWholeFile(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec || !std::filesystem::is_regular_file(path, ec))
        throw Error("Nie można odczytać pliku '" + path + "'.");
    if (size > kMaxFileSize)
        throw Error("Plik '" + path + "' jest zbyt duży.");
    std::ifstream in(path, std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw Error("Nie można odczytać pliku '" + path + "'.");
    return bytes;
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    if (!WriteFileAtomically(path, bytes))
        throw Error("Błąd zapisu do pliku '" + path + "'.");
}

} // namespace nubra::toolkit

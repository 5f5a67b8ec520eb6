#include "FileText.h"

#include "AtomicFile.h"
#include "NubraError.h"

#include <filesystem>
#include <fstream>

namespace nubra::toolkit {

std::string ReadWholeFile(const std::string& path, std::uintmax_t maxSize) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        throw Error("Nie można odczytać pliku '" + path + "': to nie jest zwykły plik.");
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        throw Error("Nie można odczytać pliku '" + path + "'.");
    if (size > maxSize)
        throw Error("Plik '" + path + "' jest zbyt duży (ponad " + std::to_string(maxSize >> 20) + " MB).");
    std::ifstream in(path, std::ios::binary);
    // A file that grew since it was measured is still read only up to the limit.
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (!in.is_open() || in.bad())
        throw Error("Nie można odczytać pliku '" + path + "'.");
    return bytes;
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    if (!WriteFileAtomically(path, bytes))
        throw Error("Błąd zapisu do pliku '" + path + "'.");
}

} // namespace nubra::toolkit

#include "TextFileWriter.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

namespace nubra {
namespace {

std::string Failure(const std::string& path, const std::string& reason) {
    return "Błąd zapisu do pliku " + path + "\r\n" + reason;
}

// A name beside `path` that nothing uses yet.
std::filesystem::path FreshName(const std::filesystem::path& path) {
    std::random_device seed;
    std::mt19937 random(seed());
    std::filesystem::path candidate;
    std::error_code ignored;
    do {
        candidate = path;
        candidate += ".tmp" + std::to_string(random() % 1000000);
    } while (std::filesystem::exists(candidate, ignored));
    return candidate;
}

} // namespace

bool ReplaceFileContents(const std::string& path, const std::string& bytes, std::string& error) {
    const std::filesystem::path target(path);
    const std::filesystem::path temporary = FreshName(target);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = Failure(path, "Nie można utworzyć pliku tymczasowego " + temporary.string() + ".");
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            error = Failure(path, "Zapis się nie powiódł (brak miejsca na dysku?).");
            return false;
        }
    }
    std::error_code renamed;
    std::filesystem::rename(temporary, target, renamed);
    if (renamed) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        error = Failure(path, renamed.message());
        return false;
    }
    return true;
}

} // namespace nubra

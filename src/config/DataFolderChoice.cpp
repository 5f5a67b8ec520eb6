#include "DataFolderChoice.h"

#include <filesystem>

namespace nubra {
namespace {

namespace fs = std::filesystem;

std::string WithSlash(const std::string& folder) {
    std::error_code ec;
    std::string clean = fs::absolute(folder, ec).lexically_normal().string();
    while (clean.size() > 1 && clean.back() == '/')
        clean.pop_back();
    return clean == "/" ? clean : clean + "/";
}

bool IsPortable(const std::string& programFolder, const std::function<bool(const std::string&)>& isWritable) {
    std::error_code ec;
    const fs::path dir(programFolder);
    return isWritable(programFolder) &&
           (fs::is_regular_file(dir / kConfigFileName, ec) || fs::is_directory(dir / kTablesFolderName, ec));
}

} // namespace

std::string ChooseDataFolder(const std::string& programFolder, const std::string& dataOption,
                             const std::string& xdgDataHome, const std::string& home,
                             const std::function<bool(const std::string& folder)>& isWritable) {
    if (!dataOption.empty())
        return WithSlash(dataOption);
    if (IsPortable(programFolder, isWritable))
        return WithSlash(programFolder);
    // A relative XDG_DATA_HOME is invalid and is ignored, as the base-directory rules ask.
    const std::string base =
        !xdgDataHome.empty() && fs::path(xdgDataHome).is_absolute() ? xdgDataHome : home + "/.local/share";
    return WithSlash(base + "/nubra5");
}

} // namespace nubra

#pragma once

#include <string>
#include <vector>

namespace nubra {

// "--opt=value" as two arguments; "--" alone and a plain argument holding "=" ("A=23") stay whole.
inline std::vector<std::string> SplitOptionValues(const std::vector<std::string>& args) {
    std::vector<std::string> split;
    for (const std::string& a : args) {
        const std::size_t eq = a.find('=');
        if (a.starts_with("--") && eq != std::string::npos && eq > 2) {
            split.push_back(a.substr(0, eq));
            split.push_back(a.substr(eq + 1));
        } else {
            split.push_back(a);
        }
    }
    return split;
}

} // namespace nubra

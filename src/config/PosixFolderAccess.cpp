// The data folder's platform part: may this process write there.
#include <unistd.h>

#include "DataFolderChoice.h"

namespace nubra {

bool IsWritableFolder(const std::string& folder) {
    return ::access(folder.c_str(), W_OK) == 0;
}

} // namespace nubra

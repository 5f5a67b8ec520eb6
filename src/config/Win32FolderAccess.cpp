// The data folder's platform part on Windows: the access rights decide, and only a try shows them.
#include "WindowsApi.h"

#include "DataFolderChoice.h"
#include "WideText.h"

namespace nubra {

bool IsWritableFolder(const std::string& folder) {
    const std::wstring probe =
        WideFromUtf8(folder) + L"\\.nubra5-" + std::to_wstring(::GetCurrentProcessId());
    const HANDLE h = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(h);
    return true;
}

} // namespace nubra

// Windows: the temporary file is flushed, then takes the old file's place with ReplaceFileW, which
// keeps the old file's attributes and access rights, or MoveFileExW when there is no old file.
#include "AtomicFile.h"

#include "WindowsApi.h"

#include <algorithm>
#include <atomic>

#include "WideText.h"

namespace nubra {

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    static std::atomic<int> serial{0};
    const std::wstring target = WideFromUtf8(path);
    const std::wstring temporary =
        target + L".tmp" + std::to_wstring(::GetCurrentProcessId()) + L"_" + std::to_wstring(serial++);
    const HANDLE h = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    bool ok = true;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
        ok = ::WriteFile(h, bytes.data() + done, chunk, &written, nullptr) && written > 0;
        done += written;
    }
    ok = ok && ::FlushFileBuffers(h);
    ok = ::CloseHandle(h) && ok;
    if (ok) {
        const bool exists = ::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
        ok = (exists && ::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                       REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) ||
             ::MoveFileExW(temporary.c_str(), target.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    if (!ok)
        ::DeleteFileW(temporary.c_str());
    return ok;
}

} // namespace nubra

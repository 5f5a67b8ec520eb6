// Windows: the temporary file is flushed, then takes the old file's place with ReplaceFileW, which
// keeps the old file's attributes and access rights, or MoveFileExW when there is no old file. A folder
// cannot be opened for FlushFileBuffers here; MOVEFILE_WRITE_THROUGH has the rename reach the disk
// before the call returns, which is what flushing the folder does on POSIX.
#include "AtomicFile.h"

#include "WindowsApi.h"

#include <algorithm>
#include <atomic>

#include "WideText.h"

namespace nubra {
namespace {

bool Fail(std::error_code* reason, DWORD error = ::GetLastError()) {
    if (reason)
        *reason = std::error_code(static_cast<int>(error), std::system_category());
    return false;
}

bool MoveWriteThrough(const std::wstring& from, const std::wstring& to) {
    return ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

} // namespace

bool SyncFolderOf(const std::string&) {
    return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::error_code* reason) {
    static std::atomic<int> serial{0};
    const std::wstring target = WideFromUtf8(path);
    // Windows refuses to put a file in a folder's place, but wine's rename takes an empty folder's:
    // refused here on both, before anything is written.
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Fail(reason, ERROR_ACCESS_DENIED);
    const std::wstring temporary =
        target + L".tmp" + std::to_wstring(::GetCurrentProcessId()) + L"_" + std::to_wstring(serial++);
    const HANDLE h = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return Fail(reason);
    bool ok = true;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
        ok = ::WriteFile(h, bytes.data() + done, chunk, &written, nullptr) && written > 0;
        done += written;
    }
    ok = ok && ::FlushFileBuffers(h);
    DWORD error = ::GetLastError();
    if (!::CloseHandle(h) && ok) {
        ok = false;
        error = ::GetLastError();
    }
    if (ok) {
        const bool exists = ::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
        ok = (exists && ::ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                                       REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) ||
             MoveWriteThrough(temporary, target);
        error = ::GetLastError();
    }
    if (!ok) {
        ::DeleteFileW(temporary.c_str());
        return Fail(reason, error);
    }
    return true;
}

bool ReplaceDurably(const std::string& from, const std::string& to, std::error_code* reason) {
    const std::wstring source = WideFromUtf8(from);
    const HANDLE h = ::CreateFileW(source.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return Fail(reason);
    const bool flushed = ::FlushFileBuffers(h);
    const DWORD error = ::GetLastError();
    ::CloseHandle(h);
    if (!flushed)
        return Fail(reason, error);
    return MoveWriteThrough(source, WideFromUtf8(to)) || Fail(reason);
}

} // namespace nubra

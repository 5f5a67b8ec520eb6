#include "SystemFile.h"

#include "WindowsApi.h"

#include <algorithm>

#include "WideText.h"

namespace nubra {
namespace {

HANDLE H(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

OVERLAPPED At(std::int64_t offset) {
    OVERLAPPED o{};
    o.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(offset));
    o.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
    return o;
}

// ReadFile and WriteFile take at most a DWORD at a time.
constexpr std::size_t kMaxChunk = 1u << 30;

} // namespace

SystemFile::Opened SystemFile::Open(const std::string& path, Mode mode) {
    Close();
    const DWORD access = mode == Mode::ReadOnly ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    const DWORD disposition = mode == Mode::CreateReadWrite ? OPEN_ALWAYS : OPEN_EXISTING;
    // Shared as a POSIX file would be: the lock, not the sharing mode, keeps other programs out, and a
    // journal can be deleted while a reader has it.
    const HANDLE h = ::CreateFileW(WideFromUtf8(path).c_str(), access,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Opened::Missing
                                                                              : Opened::Failed;
    }
    handle_ = reinterpret_cast<std::intptr_t>(h);
    return Opened::Ok;
}

void SystemFile::Close() {
    if (handle_ != kClosed)
        ::CloseHandle(H(handle_));
    handle_ = kClosed;
}

bool SystemFile::TryLock() {
    OVERLAPPED whole = At(0);
    if (::LockFileEx(H(handle_), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                     &whole))
        return true;
    return ::GetLastError() != ERROR_LOCK_VIOLATION;
}

std::int64_t SystemFile::ReadAt(std::int64_t offset, void* data, std::size_t n) const {
    auto* p = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < n) {
        OVERLAPPED at = At(offset + static_cast<std::int64_t>(done));
        DWORD got = 0;
        const auto chunk = static_cast<DWORD>(std::min(n - done, kMaxChunk));
        if (!::ReadFile(H(handle_), p + done, chunk, &got, &at))
            return ::GetLastError() == ERROR_HANDLE_EOF ? static_cast<std::int64_t>(done) : -1;
        if (got == 0)
            break;
        done += got;
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t SystemFile::WriteAt(std::int64_t offset, const void* data, std::size_t n) {
    const auto* p = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < n) {
        OVERLAPPED at = At(offset + static_cast<std::int64_t>(done));
        DWORD put = 0;
        const auto chunk = static_cast<DWORD>(std::min(n - done, kMaxChunk));
        if (!::WriteFile(H(handle_), p + done, chunk, &put, &at)) {
            const DWORD error = ::GetLastError();
            if (error != ERROR_DISK_FULL && error != ERROR_HANDLE_DISK_FULL)
                return -1;
            break;
        }
        if (put == 0)
            break;
        done += put;
    }
    return static_cast<std::int64_t>(done);
}

std::int64_t SystemFile::Size() const {
    LARGE_INTEGER size{};
    return ::GetFileSizeEx(H(handle_), &size) ? size.QuadPart : -1;
}

bool SystemFile::Truncate(std::int64_t size) {
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile.QuadPart = size;
    return ::SetFileInformationByHandle(H(handle_), FileEndOfFileInfo, &end, sizeof end) != 0;
}

bool SystemFile::Sync() {
    return ::FlushFileBuffers(H(handle_)) != 0;
}

bool SystemFile::Remove(const std::string& path) {
    if (::DeleteFileW(WideFromUtf8(path).c_str()))
        return true;
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

void SystemFile::KillProcess() {
    ::TerminateProcess(::GetCurrentProcess(), 137);
    ::ExitProcess(137);
}

} // namespace nubra

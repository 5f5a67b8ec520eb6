#include "ControlSocket.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

namespace nubra::sim {
namespace {

// A client that sends more than this without a line end is not speaking this protocol.
constexpr std::size_t kMaxLine = 64 * 1024;

[[noreturn]] void ThrowErrno(const char* what) {
    throw std::system_error(errno, std::generic_category(), what);
}

void CloseFd(int& fd) {
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

bool SocketAddress(const std::string& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool IsSocket(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

struct Client {
    int fd;
    std::string buffer;
};

} // namespace

ControlSocket::ControlSocket(std::string path, Handler handler)
    : path_(std::move(path)), handler_(std::move(handler)) {}

ControlSocket::~ControlSocket() {
    Stop();
}

void ControlSocket::Start() {
    if (thread_.joinable())
        return;
    sockaddr_un address{};
    if (!SocketAddress(path_, address)) {
        errno = ENAMETOOLONG;
        ThrowErrno("control socket");
    }
    // Left behind by an nx3sim that was killed; a file of any other kind is someone else's.
    if (IsSocket(path_))
        ::unlink(path_.c_str());
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0)
        ThrowErrno("pipe2");
    wakeRead_ = pipeFds[0];
    wakeWrite_ = pipeFds[1];
    listen_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listen_ < 0 || ::bind(listen_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listen_, 8) != 0) {
        const int saved = errno;
        CloseFd(listen_);
        CloseFd(wakeRead_);
        CloseFd(wakeWrite_);
        throw std::system_error(saved, std::generic_category(), "control socket " + path_);
    }
    thread_ = std::thread(&ControlSocket::Run, this);
}

void ControlSocket::Stop() {
    if (thread_.joinable()) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(wakeWrite_, &byte, 1);
        thread_.join();
    }
    if (listen_ >= 0 && IsSocket(path_))
        ::unlink(path_.c_str());
    CloseFd(listen_);
    CloseFd(wakeRead_);
    CloseFd(wakeWrite_);
}

void ControlSocket::Run() {
    std::vector<Client> clients;
    for (;;) {
        std::vector<pollfd> fds = {{wakeRead_, POLLIN, 0}, {listen_, POLLIN, 0}};
        for (const Client& c : clients)
            fds.push_back({c.fd, POLLIN, 0});
        if (::poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR)
            break;
        if (fds[0].revents & POLLIN)
            break;
        if (fds[1].revents & POLLIN) {
            const int fd = ::accept4(listen_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0)
                clients.push_back({fd, {}});
        }
        for (std::size_t i = 2; i < fds.size(); ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            Client& c = clients[i - 2];
            char chunk[4096];
            const ssize_t n = ::read(c.fd, chunk, sizeof chunk);
            bool open = n > 0;
            if (open)
                c.buffer.append(chunk, static_cast<std::size_t>(n));
            for (std::size_t end; open && (end = c.buffer.find('\n')) != std::string::npos;) {
                std::string line = c.buffer.substr(0, end);
                c.buffer.erase(0, end + 1);
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                open = WriteAll(c.fd, handler_(line) + '\n');
            }
            if (!open || c.buffer.size() > kMaxLine)
                CloseFd(c.fd);
        }
        std::erase_if(clients, [](const Client& c) { return c.fd < 0; });
    }
    for (Client& c : clients)
        CloseFd(c.fd);
}

bool ControlRequest(const std::string& path, const std::string& line, std::string& answer,
                    std::string& error) {
    answer.clear();
    sockaddr_un address{};
    if (!SocketAddress(path, address)) {
        error = "niepoprawna ścieżka gniazda sterującego: " + path;
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0 || ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        error = "nie można połączyć się z gniazdem sterującym " + path + ": " + std::strerror(errno);
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    bool ok = WriteAll(fd, line + '\n');
    while (ok && answer.find('\n') == std::string::npos) {
        char chunk[4096];
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            answer.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (!ok) {
        error = "gniazdo sterujące " + path + " zamknięte bez odpowiedzi";
        return false;
    }
    answer.erase(answer.find('\n'));
    return true;
}

} // namespace nubra::sim

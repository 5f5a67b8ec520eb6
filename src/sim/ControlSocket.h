#pragma once
// A Unix socket that takes one command a line and gives one answer line to each, for the operator's
// side of nx3sim. A background thread serves any number of clients, one line at a time, in the order
// the lines come. Linux only for now.
#include <functional>
#include <string>
#include <thread>

namespace nubra::sim {

class ControlSocket {
public:
    // Answers a line (without its '\n') with one line (without its '\n').
    using Handler = std::function<std::string(const std::string& line)>;

    ControlSocket(std::string path, Handler handler);
    ~ControlSocket();
    ControlSocket(const ControlSocket&) = delete;
    ControlSocket& operator=(const ControlSocket&) = delete;

    // Makes the socket (a stale socket file at the path is replaced, any other file is not) and
    // starts serving; throws std::system_error when that fails.
    void Start();
    // Stops serving and removes the socket file.
    void Stop();

    const std::string& Path() const { return path_; }

private:
    void Run();

    std::string path_;
    Handler handler_;
    int listen_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::thread thread_;
};

// Sends one command line to the socket at `path` and reads its answer line; false, with a Polish
// message in `error`, when the socket cannot be reached or closes without answering.
bool ControlRequest(const std::string& path, const std::string& line, std::string& answer,
                    std::string& error);

} // namespace nubra::sim

#pragma once
// A go-between for a counter's connections to the test server, on a Unix socket of its own, that
// can lose a commit on its way to the server or the server's answer on its way back, as a
// network or a server going away at that moment would.
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace kelvo::test {

class Relay {
 public:
  enum class Lose { Nothing, Call, Answer };

  Relay(const std::filesystem::path& folder, const std::filesystem::path& server_folder)
      : folder_(folder), server_(server_folder / ".s.PGSQL.5432") {
    std::filesystem::create_directories(folder);
    listener_ = socket_at(folder / ".s.PGSQL.5432", true);
    accepting_ = std::thread([this] { accept_all(); });
  }
  ~Relay() {
    stop_ = true;
    ::shutdown(listener_, SHUT_RDWR);
    accepting_.join();
    for (auto& t : pumps_) t.join();
    ::close(listener_);
  }
  Relay(const Relay&) = delete;
  Relay& operator=(const Relay&) = delete;

  // The folder to name as the host of a counter's URL.
  std::string host() const { return folder_.string(); }
  // What the next call of the counter's prepared "commit" loses; nothing after it.
  void lose_next_commit(Lose what) { lose_ = what; }
  // The next connection is closed as soon as it comes, as by a server still out of reach.
  void refuse_next_connection() { refuse_ = true; }

 private:
  static int socket_at(const std::filesystem::path& path, bool listen) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    std::strncpy(a.sun_path, path.c_str(), sizeof a.sun_path - 1);
    const auto* at = reinterpret_cast<const sockaddr*>(&a);
    if (fd < 0 || (listen ? ::bind(fd, at, sizeof a) != 0 || ::listen(fd, 4) != 0 : ::connect(fd, at, sizeof a) != 0))
      throw std::runtime_error("relay: no socket at " + path.string());
    return fd;
  }

  void accept_all() {
    for (;;) {
      const int client = ::accept(listener_, nullptr, nullptr);
      if (client < 0 || stop_) {
        if (client >= 0) ::close(client);
        return;
      }
      if (refuse_.exchange(false)) {
        ::close(client);
        continue;
      }
      pumps_.emplace_back([this, client] { pump(client, socket_at(server_, false)); });
    }
  }

  // The messages of one direction of the protocol, whole: a type byte and a length that counts
  // itself (the client's first message, the startup, has no type byte).
  struct Stream {
    std::vector<uint8_t> bytes;
    bool typed;
    // Calls `seen(type, body)` for each message completed by `chunk`.
    template <class F>
    void take(const uint8_t* chunk, size_t n, F seen) {
      bytes.insert(bytes.end(), chunk, chunk + n);
      for (;;) {
        const size_t head = typed ? 5 : 4;
        if (bytes.size() < head) return;
        const uint8_t* l = bytes.data() + head - 4;
        const size_t len = (size_t{l[0]} << 24) | (size_t{l[1]} << 16) | (size_t{l[2]} << 8) | l[3];
        if (bytes.size() < head - 4 + len) return;
        seen(typed ? bytes[0] : 0, std::string(bytes.begin() + static_cast<long>(head), bytes.begin() + static_cast<long>(head - 4 + len)));
        bytes.erase(bytes.begin(), bytes.begin() + static_cast<long>(head - 4 + len));
        typed = true;
      }
    }
  };

  void pump(int client, int server) {
    Stream up{{}, false}, down{{}, true};
    bool swallowing = false, cut = false;
    uint8_t buf[65536];
    while (!stop_ && !cut) {
      pollfd p[2] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
      if (::poll(p, 2, 100) <= 0) continue;
      if (p[0].revents) {
        const ssize_t n = ::read(client, buf, sizeof buf);
        if (n <= 0) break;
        bool commit = false;
        // A Bind of the unnamed portal to the statement "commit".
        up.take(buf, static_cast<size_t>(n), [&](uint8_t type, const std::string& body) {
          commit |= type == 'B' && body.compare(0, 8, std::string("\0commit\0", 8)) == 0;
        });
        const Lose lose = commit ? lose_.exchange(Lose::Nothing) : Lose::Nothing;
        if (lose == Lose::Call) break;
        swallowing |= lose == Lose::Answer;
        if (::send(server, buf, static_cast<size_t>(n), MSG_NOSIGNAL) != n) break;
      }
      if (p[1].revents) {
        const ssize_t n = ::read(server, buf, sizeof buf);
        if (n <= 0) break;
        // An answer ends with the server ready for the next query: the commit was done by then.
        bool ready = false;
        down.take(buf, static_cast<size_t>(n), [&](uint8_t type, const std::string&) { ready |= type == 'Z'; });
        cut = swallowing && ready;
        if (!swallowing && ::send(client, buf, static_cast<size_t>(n), MSG_NOSIGNAL) != n) break;
      }
    }
    ::close(client);
    ::close(server);
  }

  std::filesystem::path folder_, server_;
  int listener_ = -1;
  std::atomic<bool> stop_{false}, refuse_{false};
  std::atomic<Lose> lose_{Lose::Nothing};
  std::thread accepting_;
  std::vector<std::thread> pumps_;  // touched by the accepting thread only, until it has ended
};

}  // namespace kelvo::test

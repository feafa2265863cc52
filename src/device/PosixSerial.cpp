#include "device/PosixSerial.h"

#include <atomic>
#include <chrono>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <pthread.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

// The signal that wakes a watcher blocked in TIOCMIWAIT; its handler does nothing, and it is
// installed without SA_RESTART so that the wait returns.
constexpr int WakeSignal = SIGUSR2;

void InstallWakeHandler() {
  static const bool installed = [] {
    struct sigaction action {};
    action.sa_handler = [](int) {};
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    sigaction(WakeSignal, &action, nullptr);
    return true;
  }();
  (void)installed;
}

speed_t SpeedOf(int baud) {
  switch (baud) {
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 115200: return B115200;
    default: return B57600;
  }
}

class TPosixSerialPort : public TSerialPort {
 public:
  explicit TPosixSerialPort(TEventLoop& loop) : Loop(loop) {}
  ~TPosixSerialPort() override { Close(); }

  bool Open(const std::string& name, const TLineSettings& settings, std::string& error) override {
    Close();
    PortName = name;
    const int fd = ::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
      error = std::strerror(errno);
      return false;
    }
    if (!Configure(fd, settings, error)) {
      ::close(fd);
      return false;
    }
    Fd = fd;
    Dsr = std::make_shared<TDsrState>();
    StartWatcher();
    return true;
  }

  void Close() override {
    if (Fd < 0) return;
    // The watcher is flagged, woken and joined before its descriptor goes.
    Dsr->Stop = true;
    if (Watcher.joinable()) {
      // A signal that comes just before the watcher blocks wakes nothing: ring until it has left.
      while (!Dsr->Done) {
        pthread_kill(Watcher.native_handle(), WakeSignal);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      Watcher.join();
    }
    Dsr.reset();
    ::close(Fd);
    Fd = -1;
  }

  bool IsOpen() const override { return Fd >= 0; }
  const std::string& Name() const override { return PortName; }

  bool WriteByte(uint8_t byte) override {
    if (Fd < 0) return false;
    for (;;) {
      const ssize_t n = ::write(Fd, &byte, 1);
      if (n == 1) return true;
      if (n < 0 && errno == EINTR) continue;
      return false;
    }
  }

  size_t Read(uint8_t* buffer, size_t maxCount) override {
    if (Fd < 0) return 0;
    size_t total = 0;
    while (total < maxCount) {
      const ssize_t n = ::read(Fd, buffer + total, maxCount - total);
      if (n > 0) {
        total += static_cast<size_t>(n);
      } else if (n < 0 && errno == EINTR) {
        continue;
      } else {
        break;  // nothing more has arrived
      }
    }
    return total;
  }

  void DiscardInput() override {
    if (Fd >= 0) tcflush(Fd, TCIFLUSH);
  }

  void SetOnDsrChange(std::function<void()> handler) override { OnDsr = std::move(handler); }

 private:
  struct TDsrState {
    std::atomic<bool> Stop{false};
    std::atomic<bool> Done{false};
  };

  static bool Configure(int fd, const TLineSettings& s, std::string& error) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
      error = std::strerror(errno);
      return false;
    }
    cfmakeraw(&tio);
    cfsetispeed(&tio, SpeedOf(s.BaudRate));
    cfsetospeed(&tio, SpeedOf(s.BaudRate));
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    if (s.Parity == 'E') tio.c_cflag |= PARENB;
    if (s.StopBits == 2) tio.c_cflag |= CSTOPB;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    // Reads return at once with what has arrived.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (tcsetattr(fd, TCSANOW, &tio) != 0) {
      error = std::strerror(errno);
      return false;
    }
    ioctl(fd, TIOCEXCL);
    // DTR and RTS held inactive; a line without modem lines (a pseudo-terminal) has none.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ioctl(fd, TIOCMBIC, &lines);
    return true;
  }

  void StartWatcher() {
    InstallWakeHandler();
    const int fd = Fd;
    std::shared_ptr<TDsrState> state = Dsr;
    TEventLoop& loop = Loop;
    // The handler is read on the user-interface thread, at the time the change is served.
    auto deliver = [this, state] {
      if (!state->Stop && OnDsr) OnDsr();
    };
    Watcher = std::thread([fd, state, &loop, deliver] {
      while (!state->Stop) {
        if (ioctl(fd, TIOCMIWAIT, TIOCM_DSR) == 0)
          loop.Post(deliver);
        else if (errno != EINTR)
          break;  // the line cannot report its modem lines
      }
      state->Done = true;
    });
  }

  TEventLoop& Loop;
  std::string PortName;
  int Fd = -1;
  std::shared_ptr<TDsrState> Dsr;
  std::thread Watcher;
  std::function<void()> OnDsr;
};

}  // namespace

TPosixSerialProvider::TPosixSerialProvider(TEventLoop& loop,
                                           std::function<std::vector<std::string>()> listPorts)
    : Loop(loop), ListPorts(std::move(listPorts)) {}

std::vector<std::string> TPosixSerialProvider::PortNames() { return ListPorts ? ListPorts() : std::vector<std::string>{}; }

std::unique_ptr<TSerialPort> TPosixSerialProvider::CreatePort() { return std::make_unique<TPosixSerialPort>(Loop); }

#include "qt/termination_signal.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace {
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
volatile sig_atomic_t writeEnd = -1;

void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  // A full pipe already holds a wake-up: losing this byte loses nothing.
  if (writeEnd >= 0) {
    const ssize_t ignored = write(writeEnd, &byte, 1);
    (void)ignored;
  }
  errno = saved;
}
}  // namespace

CTerminationSignal::CTerminationSignal(std::function<void()> onSignal)
    : onSignal_(std::move(onSignal)) {
  if (pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
    pipe_[0] = pipe_[1] = -1;
    return;
  }
  writeEnd = pipe_[1];
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int number : kSignals) sigaction(number, &action, nullptr);
  notifier_ =
      std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read, this);
  connect(notifier_.get(), &QSocketNotifier::activated, this,
          [this] { Drain(); });
}

CTerminationSignal::~CTerminationSignal() {
  if (pipe_[1] >= 0) {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    for (int number : kSignals) sigaction(number, &action, nullptr);
    writeEnd = -1;
  }
  notifier_.reset();
  for (int end : pipe_)
    if (end >= 0) close(end);
}

void CTerminationSignal::Drain() {
  char bytes[64];
  while (read(pipe_[0], bytes, sizeof bytes) > 0) {
  }
  onSignal_();
}

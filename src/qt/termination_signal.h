// SIGTERM (and SIGINT, SIGHUP) as an ordinary event of the main loop: the
// handler only writes a byte into a pipe, and a socket notifier reads it in
// the loop, where the settings can be saved safely.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

class CTerminationSignal final : public QObject {
 public:
  // Calls `onSignal` from the main loop after each signal. Only one
  // instance may exist at a time.
  explicit CTerminationSignal(std::function<void()> onSignal);
  ~CTerminationSignal() override;

  // False when the pipe or the handlers could not be set up; the program
  // then ends on these signals without saving, as it would without us.
  bool Installed() const { return notifier_ != nullptr; }

 private:
  void Drain();

  std::function<void()> onSignal_;
  int pipe_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
};

// Serves a LoggerModel on a pseudo-terminal in real time until told to stop.
#pragma once

#include <csignal>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "emulator/host_watch.h"
#include "emulator/logger_model.h"

namespace zv::emu {

class PtyServer {
 public:
  explicit PtyServer(LoggerModel& model) : model_(model) {}
  // Removes the link only while it is still the symlink this server made; closes the terminal.
  ~PtyServer();
  PtyServer(const PtyServer&) = delete;
  PtyServer& operator=(const PtyServer&) = delete;

  // Opens the pseudo-terminal, sets its line raw and puts a symlink to it at `link`
  // (replacing an existing symlink). False, with a reason in `error`, when any step fails.
  bool Open(const std::string& link, std::string& error);
  const std::string& SlavePath() const { return slavePath_; }

  // Moves bytes both ways at their times until `stop` becomes non-zero; pulls the cable and
  // plugs it back in when the model asks (the unplug fault). SIGINT and SIGTERM must be
  // blocked by the caller; they are let through only while waiting.
  // Returns false on an unrecoverable error of the terminal.
  bool Serve(const volatile std::sig_atomic_t& stop);

  // Called whenever bytes from the host have arrived, before the model sees them.
  void SetHostBytesHook(std::function<void()> hook) { hostBytesHook_ = std::move(hook); }

 private:
  bool OpenTerminal(std::string& error);
  void CloseTerminal();
  bool PlaceLink(std::string& error);
  void RemoveOwnLink();
  void Unplug();
  bool WaitToPlugBackIn(const sigset_t& waitMask);
  bool WaitAndRead(const sigset_t& waitMask);
  Micros Now() const;
  bool WriteDue();
  void NoticeHostLeaving();

  LoggerModel& model_;
  std::function<void()> hostBytesHook_;
  int master_ = -1;
  int slave_ = -1;       // held open so the master never sees a hang-up when the host closes
  HostWatch hostWatch_;  // ... which this sees instead
  std::string slavePath_;
  std::string link_;
  bool linkPlaced_ = false;
  long long startNanos_ = 0;
  long long plugBackInAt_ = -1;  // while the cable is out: when it goes back in
  // Due bytes the terminal has not taken yet (the host is not reading).
  uint8_t pending_[256]{};
  std::size_t pendingLength_ = 0;
  std::size_t pendingPosition_ = 0;
};

}  // namespace zv::emu

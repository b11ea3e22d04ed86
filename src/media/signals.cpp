// SPDX-License-Identifier: GPL-3.0-or-later
#include "media/signals.h"

#include <csignal>
#include <initializer_list>

namespace plumix {
namespace {

// A signal handler can only reach static storage.
volatile std::sig_atomic_t endSignalled = 0;

extern "C" void OnEndSignal(int) { endSignalled = 1; }

}  // namespace

void WatchEndSignals() {
  struct sigaction action {};
  action.sa_handler = OnEndSignal;
  sigemptyset(&action.sa_mask);
  // The next such signal finds the default action again: a game stuck on
  // its way out can still be ended.
  action.sa_flags = SA_RESETHAND | SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

bool TakeEndSignal() {
  if (!endSignalled) return false;
  endSignalled = 0;
  return true;
}

}  // namespace plumix

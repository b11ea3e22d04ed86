// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The signals that end a program the polite way (SIGTERM at logout, SIGINT
// from Ctrl+C, SIGHUP when the terminal goes) become a quit request, so the
// game ends as its own quit does: settings saved, exit code 0.
namespace plumix {

// Catches the three signals; a second one of them ends the process at once.
void WatchEndSignals();
// True once after one of them arrived.
bool TakeEndSignal();

}  // namespace plumix

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <stdexcept>
#include <string>

namespace plumix {

// The game's error: raised where a caller cannot go on; the main loop shows it
// in a message box and carries on with the next event.
struct GameError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// What a parser returns: the value, or the reason it could not make one.
template <class T>
struct Parsed {
  std::optional<T> Value;
  std::string Error;
  explicit operator bool() const { return Value.has_value(); }
  static Parsed Fail(std::string why) { return Parsed{std::nullopt, std::move(why)}; }
  static Parsed Ok(T value) { return Parsed{std::move(value), {}}; }
};

}  // namespace plumix

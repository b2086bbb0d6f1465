#pragma once

#include <optional>

// The state of the Caps Lock, Num Lock and Scroll Lock keys where the
// platform reports it: Windows' key state, or the keyboard LEDs the Linux
// kernel exposes. Nothing when it is not known.
namespace LockKeyState {
enum class Key { CapsLock, NumLock, ScrollLock };
std::optional<bool> Query(Key key);
} // namespace LockKeyState

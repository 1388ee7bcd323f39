#include "platform/KeyMessages.h"

#include <cstdint>

#include "platform/KeyState.h"
#include "platform/MessageQueue.h"

namespace platform::detail {
namespace {

constexpr std::uint32_t kAltContext = 1u << 29;  // lParam: Alt was down
constexpr std::uint32_t kWasDown = 1u << 30;     // lParam: an auto-repeat, or a release
constexpr std::uint32_t kReleasing = 1u << 31;
constexpr std::uint32_t kOneStroke = 1;          // lParam: repeat count

}  // namespace

Message KeyMessage(WindowHandle window, int virtualKey, bool press, bool repeat) {
  KeyState& keys = ArrivedKeys();
  if (press) keys.Set(virtualKey, true);  // Alt's own press is already a system key, its release still is
  const bool system = keys.MenuAlt();
  if (!press) keys.Set(virtualKey, false);
  std::uint32_t lParam = kOneStroke | (keys.Alt() || system ? kAltContext : 0);
  if (!press) lParam |= kWasDown | kReleasing;
  else if (repeat) lParam |= kWasDown;
  const Msg msg = press ? (system ? Msg::SysKeyDown : Msg::KeyDown) : (system ? Msg::SysKeyUp : Msg::KeyUp);
  return {msg, window, static_cast<std::uint32_t>(SideNeutral(virtualKey)), lParam};
}

Message CharacterMessage(WindowHandle window, unsigned char code, bool system) {
  return {system ? Msg::SysChar : Msg::Char, window, code, kOneStroke | (system ? kAltContext : 0)};
}

void PostInput(const Message& message) { Queue().PostInput(message, ArrivedKeys()); }

}  // namespace platform::detail

#include "platform/Session.h"

#include "platform/Platform.h"

namespace platform::detail {
namespace {

bool open = false;

}  // namespace

bool Session::IsOpen() { return open; }

void Session::RequireOpen() {
  if (!open) throw PlatformError("the platform is not initialised");
}

void Session::SetOpen(bool isOpen) { open = isOpen; }

}  // namespace platform::detail

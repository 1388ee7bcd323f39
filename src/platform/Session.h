// Whether the platform is up, for a backend that keeps its windows itself: between its
// Initialise and its Shutdown.
#pragma once

namespace platform::detail {

class Session {
 public:
  static bool IsOpen();
  static void RequireOpen();  // throws PlatformError before Initialise
  static void SetOpen(bool open);
};

}  // namespace platform::detail

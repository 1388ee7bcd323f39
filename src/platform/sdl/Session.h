// Whether the platform is up, and on which video driver.
#pragma once

namespace platform::detail {

class Session {
 public:
  static bool IsOpen();
  static bool IsHeadless();
  static void RequireOpen();  // throws PlatformError before Initialise
  static unsigned Ended();    // how many sessions have been shut down
  // The pixels per inch fonts are sized for, read from the desktop once a session; 0 until then.
  static int& Resolution();
};

}  // namespace platform::detail

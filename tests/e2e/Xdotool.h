// Real keys through xdotool, as a user's keyboard would type them.
#pragma once
#include "e2e/XTypes.h"

#include <string>
#include <utility>
#include <vector>

namespace e2e {

class Xdotool {
 public:
  explicit Xdotool(std::string displayName) : displayName_(std::move(displayName)) {}

  // One press and release of a key or chord ("a", "shift+q", "ctrl+a", "Return"), sent to the window.
  void Key(XWindow window, const std::string& chord) const;
  // The same for a key that closes the window it is typed into: the window may be gone before the
  // key is released, which xdotool reports as an error although the key did its work.
  void KeyThatCloses(XWindow window, const std::string& chord) const;
  // Press and release on the keyboard itself (XTEST): keys go to whichever window has the focus,
  // and the server repeats a held key as a real keyboard does.
  void KeyDown(const std::string& key) const;
  void KeyUp(const std::string& key) const;
  // The left mouse button, pressed with the pointer at (x, y) in the window, and released.
  void ButtonDownAt(XWindow window, int x, int y) const;
  void ButtonUp() const;

 private:
  // False when the window vanished while xdotool was typing into it, if that was allowed.
  bool Run(const std::vector<std::string>& arguments, bool windowMayVanish = false) const;
  std::string displayName_;
};

}  // namespace e2e

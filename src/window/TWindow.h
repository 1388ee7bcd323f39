// Anything that owns a platform window and handles its messages: the form, the timer's hidden
// window, the error box. Messages are dispatched by handle through this registry.
#pragma once
#include "platform/Platform.h"

class TWindow {
 public:
  explicit TWindow(platform::WindowHandle handle);
  virtual ~TWindow();
  TWindow(const TWindow&) = delete;
  TWindow& operator=(const TWindow&) = delete;

  platform::WindowHandle Handle() const { return handle_; }
  virtual void WndProc(const platform::Message& message) = 0;

  static TWindow* FromHandle(platform::WindowHandle handle);
  static void Dispatch(const platform::Message& message);  // to the window the message is for

 private:
  platform::WindowHandle handle_;
};

// The application: its title, its main form, the message loop, keyboard pre-processing and the
// one failure handler, which shows the error box and goes back to the loop.
#pragma once
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"

class TForm;

class TApplication {
 public:
  TApplication();
  ~TApplication();

  std::string Title;  // code page 932 bytes: the error box's caption (the window takes its own from its layout)

  // The first form created becomes the main form: closing it ends the application.
  template <typename T, typename... Args>
  T& CreateForm(Args&&... args) {
    auto form = std::make_unique<T>(std::forward<Args>(args)...);
    T& created = *form;
    Adopt(std::move(form));
    return created;
  }
  TForm* MainForm() const { return mainForm_; }

  // Shows the main form and loops until Terminate or WM_QUIT. A PlatformError ends the loop by
  // leaving it: what the desktop refused (a window, a frame buffer, a font) no box could show.
  void Run();
  void ProcessMessage(const platform::Message& message);
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Every handler's failures come here: a PlatformError is thrown on, anything else is shown in
  // the error box, after which the loop goes on.
  void HandleException(const std::exception& failure);
  // The error box: modal, owned by the application. Returns when it is closed.
  void MessageBox(std::string_view text, std::string_view caption);

 private:
  void Adopt(std::unique_ptr<TForm> form);
  bool IsDialogKeyUsedUp(const platform::Message& message) const;
  void RunErrorBox(std::string_view text, std::string_view caption);
  void Loop(const std::function<bool()>& done);

  std::vector<std::unique_ptr<TForm>> forms_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
};

extern TApplication* Application;

// The error box's text: a full stop is added unless the last character, compared as its one
// or two bytes, is "." or below.
std::string WithFullStop(std::string_view message);

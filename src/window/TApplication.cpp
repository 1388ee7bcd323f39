#include "window/TApplication.h"

#include <optional>

#include "window/TErrorBox.h"
#include "window/TForm.h"

TApplication* Application = nullptr;

std::string WithFullStop(std::string_view message) {
  std::string text(message);
  if (text.empty()) return text;
  // Trail bytes look like ASCII, so the last character is found by walking from the start.
  std::size_t last = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    last = i;
    if (platform::IsDBCSLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ++i;
  }
  if (std::string_view(text).substr(last) > ".") text += '.';  // char_traits<char> compares unsigned
  return text;
}

TApplication::TApplication() {
  Application = this;
  platform::SetMessageHandler([](const platform::Message& message) {
    if (Application) Application->ProcessMessage(message);
  });
}

TApplication::~TApplication() {
  forms_.clear();
  if (Application == this) {
    Application = nullptr;
    platform::SetMessageHandler(nullptr);
  }
}

void TApplication::Adopt(std::unique_ptr<TForm> form) {
  TForm& created = *form;
  forms_.push_back(std::move(form));
  if (!mainForm_) {
    mainForm_ = &created;
    created.OnClose = [this] { Terminate(); };
  }
  if (!created.OnCreate) return;
  try {
    created.OnCreate();
  } catch (const std::exception& failure) {
    HandleException(failure);  // the form is created all the same, unless the failure ends the program
  }
}

void TApplication::Run() {
  if (mainForm_) {
    mainForm_->Show();
    platform::SetActiveWindow(mainForm_->Handle());
  }
  Loop([] { return false; });
}

// Takes each message as it comes and waits when there is none, until `done` or WM_QUIT. A loop
// inside another (the error box's) ends with the quit too, and so does the outer one after it.
void TApplication::Loop(const std::function<bool()>& done) {
  while (!terminated_ && !done()) {
    platform::Message message;
    if (platform::PeekMessage(message)) {
      ProcessMessage(message);
    } else {
      platform::WaitMessage();
    }
  }
}

void TApplication::Terminate() { platform::PostQuitMessage(0); }

void TApplication::ProcessMessage(const platform::Message& message) {
  if (message.msg == platform::Msg::Quit) {
    terminated_ = true;
    return;
  }
  try {
    // With the mouse captured, keys skip the dialog handling and go straight on.
    if (platform::GetCapture() == 0 && IsDialogKeyUsedUp(message)) return;
    platform::TranslateMessage(message);
    TWindow::Dispatch(message);
  } catch (const std::exception& failure) {
    HandleException(failure);
  }
}

// The form has no controls to move the focus between, so Tab moves it nowhere, but it is used
// up all the same and makes no character. Ctrl+Tab and every other key go on.
bool TApplication::IsDialogKeyUsedUp(const platform::Message& message) const {
  return message.msg == platform::Msg::KeyDown && message.wParam == platform::VK_TAB &&
         !platform::IsKeyDown(platform::VK_MENU) && !platform::IsKeyDown(platform::VK_CONTROL);
}

// The one failure policy, for every handler. What the desktop refused for showing anything (a
// window, its frame buffer, a font) no error box could show either: the program ends with the
// reason. Anything else ends only its handler, and the box shows it.
void TApplication::HandleException(const std::exception& failure) {
  if (const auto* refused = dynamic_cast<const platform::PlatformError*>(&failure)) throw *refused;
  platform::ReleaseCapture();
  MessageBox(WithFullStop(failure.what()), Title);
}

void TApplication::MessageBox(std::string_view text, std::string_view caption) {
  std::vector<platform::WindowHandle> disabled;
  for (const auto& form : forms_) {
    if (platform::IsWindowEnabled(form->Handle())) {
      platform::EnableWindow(form->Handle(), false);
      disabled.push_back(form->Handle());
    }
  }
  const platform::WindowHandle active = platform::GetActiveWindow();

  if (!platform::ShowStopBox(mainForm_ ? mainForm_->Handle() : 0, text, caption)) RunErrorBox(text, caption);

  for (const platform::WindowHandle window : disabled) platform::EnableWindow(window, true);
  if (active) platform::SetActiveWindow(active);
}

// Where the system has no message box of its own that can show the text, the program draws one.
void TApplication::RunErrorBox(std::string_view text, std::string_view caption) {
  std::optional<TErrorBox> box;
  try {
    box.emplace(text, caption, mainForm_);
  } catch (const platform::PlatformError& reason) {
    // Without its box the failure would go unseen: it leaves with the program instead.
    throw platform::PlatformError(std::string(reason.what()) + ", so the error box cannot show: " +
                                  platform::AnsiToUtf8(text));
  }
  box->Show();
  // The box's own loop: the other windows go on painting and ticking, but take no keys.
  Loop([&] { return box->Closed(); });
}

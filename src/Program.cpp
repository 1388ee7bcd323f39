#include "Program.h"

#include <exception>

#include "Form1.h"
#include "platform/Platform.h"
#include "window/TApplication.h"

int RunQuillet(const std::function<void()>& beforeRun) {
  try {
    platform::Initialise(platform::Mode::Desktop);
  } catch (const std::exception& failure) {
    platform::ReportFatalError("quillet", failure.what());
    return 1;
  }
  int exitCode = 0;
  try {
    if (beforeRun) beforeRun();
    TApplication application;
    application.Title = "QUILLET";
    application.CreateForm<TForm1>();
    application.Run();
  } catch (const std::exception& failure) {
    // Only what the error box itself cannot show ends up here, such as no usable font at all.
    platform::ReportFatalError("quillet", failure.what());
    exitCode = 1;
  }
  platform::Shutdown();
  return exitCode;
}

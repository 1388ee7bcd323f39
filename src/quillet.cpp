// QUILLET: type the letter on display before its time runs out.
#include <cstdio>
#include <exception>

#include "Form1.h"
#include "platform/Platform.h"
#include "window/TApplication.h"

int main() {
  try {
    platform::Initialise(platform::Mode::Desktop);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "quillet: %s\n", failure.what());
    return 1;
  }
  int exitCode = 0;
  try {
    TApplication application;
    application.Title = "QUILLET";
    application.CreateForm<TForm1>();
    application.Run();
  } catch (const std::exception& failure) {
    // Only a failure the error box itself cannot show ends up here.
    std::fprintf(stderr, "quillet: %s\n", failure.what());
    exitCode = 1;
  }
  platform::Shutdown();
  return exitCode;
}

// The program as shipped, except that its platform refuses the first timer the game asks for.
#include "Program.h"
#include "platform/Testing.h"

int main(int argc, char** argv) {
  return RunQuillet(argc, argv, [] { platform::testing::RefuseNextTimer(); });
}

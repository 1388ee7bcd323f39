// QUILLET: type the letter on display before its time runs out.
#include "Program.h"

int main(int argc, char** argv) { return RunQuillet(argc, argv); }

// QUILLET: type the letter on display before its time runs out.
#include "Program.h"

int main() { return RunQuillet(); }

#pragma once

// The whole program: read the command line, start the platform, build the application and its
// main window, run the loop, and report what cannot be shown in a window on stderr.
// `--help` and `--version` print and end without touching the display; anything else on the
// command line ends the program with code 2.
int RunQuillet(int argc, const char* const* argv);

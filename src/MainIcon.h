// The program's icon as the window carries it: the 32-pixel PNG rendered from the desktop icon's
// artwork, built into the program so that it needs no file at run time.
#pragma once
#include <span>

std::span<const unsigned char> MainIconPng();

#pragma once

namespace platform::detail {

// Keeps a harmless X error at shutdown from ending a closed program with exit code 1, and ends
// the program with a line of its own when the X server goes away.
void InstallXErrorHandlers();

}  // namespace platform::detail

# The browser build with Debian's emscripten. Its JavaScript tools run on the system's node and
# find the modules Debian packs for them only through NODE_PATH, so each compile and link gets it.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
set(CMAKE_CXX_COMPILER_LAUNCHER env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=/usr/share/nodejs)

# Writes a C++ source that holds a file's bytes, for a program that must carry the file with it:
#   cmake -DINPUT=file -DOUTPUT=source.cpp -DSYMBOL=name -P EmbedFile.cmake
# defines `std::span<const unsigned char> name()` (declare it where it is used).
get_filename_component(name "${INPUT}" NAME)
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n  " bytes "${bytes}")
file(WRITE "${OUTPUT}.new" "// Made by EmbedFile.cmake from ${name}; do not edit.
#include <span>

namespace {
const unsigned char kBytes[] = {
  ${bytes}
};
}  // namespace

std::span<const unsigned char> ${SYMBOL}() { return kBytes; }
")
# Only a changed file is rewritten, so that nothing rebuilds for an unchanged one.
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")

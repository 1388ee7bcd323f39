// A logical font realised: a face of the file the mapper chose, at its em size in pixels, with the
// GDI-style metrics that layout uses. Fonts are shared and never change once made.
#pragma once
#include <SDL.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "platform/Platform.h"
#include "platform/sdl/Glyph.h"

namespace platform {

class FaceFile;

class Font {
 public:
  Font(std::shared_ptr<FaceFile> file, int emPixels, bool embolden, const TextMetrics& metrics, int underlineOffset,
       int underlineThickness);
  ~Font();
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;

  const TextMetrics& Metrics() const { return metrics_; }
  const std::string& File() const;
  // Rows below the baseline where a mnemonic underline starts, and its thickness.
  int UnderlineOffset() const { return underlineOffset_; }
  int UnderlineThickness() const { return underlineThickness_; }

  // How far the pen moves for a character, in whole hinted pixels. A character the face lacks
  // moves by the width of the box drawn for it.
  int Advance(char32_t c) const;
  // Draws one character, antialiased, with its pen position at x and its baseline at y.
  void DrawGlyph(SDL_Surface* target, char32_t c, int x, int baselineY, SDL_Color color) const;

 private:
  // A character rendered in one colour, kept for repaints: the same few letters and digits are
  // drawn over and over, and rendering one costs far more than copying it.
  struct Rendered {
    SDL_Surface* surface = nullptr;  // null for a character with nothing to show
    int left = 0, top = 0;           // from the pen position and the baseline to its corner
  };
  const Rendered& Render(char32_t c, SDL_Color color) const;
  const GlyphMetrics* Measured(char32_t c) const;  // null when the face cannot load it
  FT_Face Face() const;

  std::shared_ptr<FaceFile> file_;
  int emPixels_;
  bool embolden_;
  FaceExtent rendererLine_;  // the face's own line, where its glyph images put the baseline
  TextMetrics metrics_;
  int underlineOffset_, underlineThickness_;
  mutable std::unordered_map<char32_t, std::optional<GlyphMetrics>> measured_;
  mutable std::unordered_map<std::uint64_t, Rendered> rendered_;
};

namespace detail {
// Every font realised in the session, one per distinct request, shared by whoever asked for it.
std::map<FontRequest, FontPtr>& RealisedFonts();
}  // namespace detail

}  // namespace platform

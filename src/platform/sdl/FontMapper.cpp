#include "platform/sdl/FontMapper.h"

#include <fontconfig/fontconfig.h>
#include <locale.h>
#include <malloc.h>

#include <algorithm>
#include <future>
#include <memory>
#include <system_error>
#include <string_view>
#include <vector>

#include "platform/Platform.h"
#include "platform/sdl/FontIndex.h"

namespace platform {
namespace {

// The program's faces and what stands in for them here. "梅Pゴシック" is named by its Japanese
// family name only: another package calls a font with different widths "Ume P Gothic" too.
// Where neither is installed, the face falls to any font covering Japanese, then to any font.
constexpr char kSubstitutes[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <alias binding="strong">
    <family>ＭＳ Ｐゴシック</family>
    <prefer><family>梅Pゴシック</family><family>IPAPGothic</family></prefer>
  </alias>
  <alias binding="strong">
    <family>ＭＳ ゴシック</family>
    <prefer><family>梅ゴシック</family><family>IPAGothic</family></prefer>
  </alias>
  <match target="pattern">
    <test name="family" compare="eq"><string>ＭＳ Ｐゴシック</string></test>
    <edit name="lang" mode="assign" binding="strong"><string>ja</string></edit>
  </match>
  <match target="pattern">
    <test name="family" compare="eq"><string>ＭＳ ゴシック</string></test>
    <edit name="lang" mode="assign" binding="strong"><string>ja</string></edit>
  </match>
</fontconfig>
)";

// What every face must draw: the letters and digits, and for a Japanese request a sample of
// half-width katakana, hiragana and kanji wherever some installed face has them.
constexpr std::u32string_view kLettersAndDigits = U"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr std::u32string_view kJapanese = U"\uFF80\uFF72\uFF8F\uFF70\u3092\u53D6\u5F97\u3067\u304D\u307E\u305B\u3093";

struct ConfigDeleter { void operator()(FcConfig* config) const { FcConfigDestroy(config); } };
struct PatternDeleter { void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); } };
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

FcConfig* Configuration() {
  static const std::unique_ptr<FcConfig, ConfigDeleter> config = [] {
    FcConfig* loaded = detail::LoadConfigAndFonts();
    if (loaded == nullptr) throw PlatformError("Cannot load the fontconfig configuration");
    std::unique_ptr<FcConfig, ConfigDeleter> owned(loaded);
    // Without the aliases the window would quietly take some other face; better to say so.
    if (!FcConfigParseAndLoadFromMemory(loaded, reinterpret_cast<const FcChar8*>(kSubstitutes), FcTrue)) {
      throw PlatformError("Cannot load the program's font aliases into fontconfig");
    }
    return owned;
  }();
  return config.get();
}

std::future<void>& Preparation() {
  static std::future<void> preparation;
  return preparation;
}

std::string StringOf(const FcPattern* pattern, const char* object);

bool CoversAll(const FcPattern* font, std::u32string_view text) {
  FcCharSet* characters = nullptr;
  if (FcPatternGetCharSet(font, FC_CHARSET, 0, &characters) != FcResultMatch) return false;
  return std::all_of(text.begin(), text.end(), [&](char32_t c) { return FcCharSetHasChar(characters, c); });
}

// Faces of symbols and formulae cover the alphabet too, but draw no plain letters with it.
bool IsSymbolOrMath(const FcPattern* font) {
  FcBool symbol = FcFalse;
  if (FcPatternGetBool(font, FC_SYMBOL, 0, &symbol) == FcResultMatch && symbol) return true;
  FcChar8* name = nullptr;
  for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
    const std::string family = reinterpret_cast<const char*>(name);
    for (const char* word : {"Math", "Symbol", "Dingbat", "Emoji"}) {
      if (family.find(word) != std::string::npos) return true;
    }
  }
  return false;
}

bool IsProportional(const FcPattern* font) {
  int spacing = FC_PROPORTIONAL;
  FcPatternGetInteger(font, FC_SPACING, 0, &spacing);
  return spacing == FC_PROPORTIONAL;
}

std::vector<std::string> FamiliesOf(const FcPattern* pattern);

// Whether the font is of a family the request names before the generic sans-serif: the
// requested one or one the configuration put in its place.
bool IsNamedFor(const FcPattern* request, const FcPattern* font) {
  const auto fontFamilies = FamiliesOf(font);
  for (const std::string& name : FamiliesOf(request)) {
    if (name == "sans-serif") break;
    if (std::find(fontFamilies.begin(), fontFamilies.end(), name) != fontFamilies.end()) return true;
  }
  return false;
}

// fontconfig ranks every installed face against the request: the family and its aliases first,
// then the language, then the generic sans-serif added below. Its best is not always usable (a
// symbol face or a math face where nothing nearer exists), so the choice is the best face that
// draws the window's letters and digits, and Japanese wherever some face can; a proportional
// face before a fixed-width one.
PatternPtr Match(const std::string& family, int weight, bool japanese) {
  FcConfig* config = Configuration();
  PatternPtr pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(weight));
  FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  if (japanese) FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  const std::unique_ptr<FcFontSet, decltype(&FcFontSetDestroy)> ranked(
      FcFontSort(config, pattern.get(), FcFalse, nullptr, &result), FcFontSetDestroy);
  if (!ranked) return nullptr;

  std::vector<FcPattern*> usable;
  for (int i = 0; i < ranked->nfont; ++i) {
    FcPattern* font = ranked->fonts[i];
    if (!StringOf(font, FC_FILE).empty() && CoversAll(font, kLettersAndDigits) && !IsSymbolOrMath(font)) {
      usable.push_back(font);
    }
  }
  if (japanese && std::any_of(usable.begin(), usable.end(), [](FcPattern* f) { return CoversAll(f, kJapanese); })) {
    usable.erase(std::remove_if(usable.begin(), usable.end(), [](FcPattern* f) { return !CoversAll(f, kJapanese); }),
                 usable.end());
  }
  if (usable.empty()) return nullptr;
  // The family asked for, or what the configuration names for it, is taken as it is; only a
  // fallback has to be proportional.
  if (IsNamedFor(pattern.get(), usable.front())) {
    return PatternPtr(FcFontRenderPrepare(config, pattern.get(), usable.front()));
  }
  const auto proportional = std::find_if(usable.begin(), usable.end(), IsProportional);
  FcPattern* chosen = proportional != usable.end() ? *proportional : usable.front();
  return PatternPtr(FcFontRenderPrepare(config, pattern.get(), chosen));
}

std::string StringOf(const FcPattern* pattern, const char* object) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch) return {};
  return reinterpret_cast<const char*>(value);
}

std::vector<std::string> FamiliesOf(const FcPattern* pattern) {
  std::vector<std::string> names;
  FcChar8* value = nullptr;
  for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &value) == FcResultMatch; ++i) {
    names.emplace_back(reinterpret_cast<const char*>(value));
  }
  return names;
}

bool ShareAFamily(const FcPattern* a, const FcPattern* b) {
  const auto namesOfB = FamiliesOf(b);
  for (const auto& name : FamiliesOf(a)) {
    if (std::find(namesOfB.begin(), namesOfB.end(), name) != namesOfB.end()) return true;
  }
  return false;
}

// fontconfig's own rules mark a regular face chosen for bold with "embolden" (and call it bold).
bool BoolOf(const FcPattern* pattern, const char* object) {
  FcBool value = FcFalse;
  FcPatternGetBool(pattern, object, 0, &value);
  return value == FcTrue;
}

int IntegerOf(const FcPattern* pattern, const char* object, int fallback) {
  int value = fallback;
  FcPatternGetInteger(pattern, object, 0, &value);
  return value;
}

// SDL sets the process's locale and puts it back while it opens the input method, and fontconfig
// reads the configuration's numbers through the locale: the preparing thread keeps to its own.
class CLocaleForThisThread {
 public:
  CLocaleForThisThread() : c_(newlocale(LC_ALL_MASK, "C", nullptr)) {
    if (c_) uselocale(c_);
  }
  ~CLocaleForThisThread() {
    if (!c_) return;
    uselocale(LC_GLOBAL_LOCALE);
    freelocale(c_);
  }
  CLocaleForThisThread(const CLocaleForThisThread&) = delete;
  CLocaleForThisThread& operator=(const CLocaleForThisThread&) = delete;

 private:
  locale_t c_;
};

}  // namespace

void PrepareFontMapper() {
  // One heap for both threads: a heap of its own would keep what parsing the configuration freed
  // out of reach of everything allocated after it.
  mallopt(M_ARENA_MAX, 1);
  try {
    Preparation() = std::async(std::launch::async, [] {
      const CLocaleForThisThread locale;
      Configuration();
    });
  } catch (const std::system_error&) {
    // No thread to be had: the first MapFont loads the configuration itself.
  }
}

FontFile MapFont(const std::string& family, int weight, bool japanese) {
  if (Preparation().valid()) Preparation().get();
  constexpr int kBoldFrom = 600;  // GDI draws 600 and up as bold
  const bool bold = weight >= kBoldFrom;
  const PatternPtr regular = Match(family, bold ? 400 : weight, japanese);
  if (!regular || StringOf(regular.get(), FC_FILE).empty()) {
    throw PlatformError("No installed font can draw the letters A to Z and the digits 0 to 9 (asked for \"" + family +
                        "\")");
  }
  FontFile chosen{StringOf(regular.get(), FC_FILE), IntegerOf(regular.get(), FC_INDEX, 0) & 0xFFFF, false};
  if (!bold) return chosen;

  // A bold face counts only if it belongs to the family chosen for regular and really is bold;
  // otherwise the regular face is emboldened, as GDI simulates bold. The family is asked for by
  // the requested name again, not by the name found: that may be one another family shares.
  const PatternPtr boldFace = Match(family, weight, japanese);
  if (boldFace && ShareAFamily(boldFace.get(), regular.get()) &&
      IntegerOf(boldFace.get(), FC_WEIGHT, FC_WEIGHT_REGULAR) >= FcWeightFromOpenType(kBoldFrom) &&
      !BoolOf(boldFace.get(), FC_EMBOLDEN) &&
      !StringOf(boldFace.get(), FC_FILE).empty()) {
    return {StringOf(boldFace.get(), FC_FILE), IntegerOf(boldFace.get(), FC_INDEX, 0) & 0xFFFF, false};
  }
  chosen.needsEmbolden = true;
  return chosen;
}

}  // namespace platform

#include "platform/FontMapper.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/Platform.h"

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

struct ConfigDeleter { void operator()(FcConfig* config) const { FcConfigDestroy(config); } };
struct PatternDeleter { void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); } };
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

FcConfig* Configuration() {
  static const std::unique_ptr<FcConfig, ConfigDeleter> config = [] {
    FcConfig* loaded = FcInitLoadConfigAndFonts();
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

PatternPtr Match(const std::string& family, int weight, bool japanese) {
  FcConfig* config = Configuration();
  PatternPtr pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, FcWeightFromOpenType(weight));
  FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
  if (japanese) FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result = FcResultNoMatch;
  return PatternPtr(FcFontMatch(config, pattern.get(), &result));
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

}  // namespace

FontFile MapFont(const std::string& family, int weight, bool japanese) {
  constexpr int kBoldFrom = 600;  // GDI draws 600 and up as bold
  const bool bold = weight >= kBoldFrom;
  const PatternPtr regular = Match(family, bold ? 400 : weight, japanese);
  if (!regular || StringOf(regular.get(), FC_FILE).empty()) {
    throw PlatformError("No font is installed that could show the face \"" + family + "\"");
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

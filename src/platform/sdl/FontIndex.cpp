// fontconfig writes a cache for every font folder it has to scan, and writes what it found even
// when it ran out of memory on the way: a start under a memory limit (ulimit -v) left empty or
// partial caches behind, and the Japanese faces gone for every later program of the user (of
// everyone, as root) until `fc-cache -f`. It has no switch to scan without writing, but fonts
// added file by file are scanned without any cache. So where a scan is due (some font folder has
// no current cache) and memory is limited, the fonts are read file by file: slower, and leaving
// the caches as they were. Everywhere else fontconfig builds its font list as it always does.
#include "platform/sdl/FontIndex.h"

#include <sys/resource.h>

#include <filesystem>
#include <system_error>

namespace platform::detail {
namespace {

bool MemoryLimited() {
  for (const int resource : {RLIMIT_AS, RLIMIT_DATA}) {
    rlimit limit{};
    if (getrlimit(resource, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) return true;
  }
  return false;
}

// Whether fontconfig would find a current cache for the folder and every folder under it, and so
// scan (and write) nothing. A folder that is not there has nothing to scan.
bool CachesCurrent(FcConfig* config, const FcChar8* folder) {
  std::error_code error;
  if (!std::filesystem::is_directory(reinterpret_cast<const char*>(folder), error)) return true;
  FcCache* cache = FcDirCacheLoad(folder, config, nullptr);
  if (!cache) return false;
  bool current = true;
  for (int i = 0; current && i < FcCacheNumSubdir(cache); ++i) current = CachesCurrent(config, FcCacheSubdir(cache, i));
  FcDirCacheUnload(cache);
  return current;
}

// Calls `each` with every font folder of the configuration until it returns false.
template <typename Each>
bool EveryFontFolder(FcConfig* config, Each&& each) {
  FcStrList* folders = FcConfigGetFontDirs(config);
  if (!folders) return true;
  bool all = true;
  while (const FcChar8* folder = FcStrListNext(folders)) {
    if (!(all = each(folder))) break;
  }
  FcStrListDone(folders);
  return all;
}

void AddFileByFile(FcConfig* config, const FcChar8* folder) {
  namespace fs = std::filesystem;
  std::error_code error;
  for (fs::recursive_directory_iterator it(reinterpret_cast<const char*>(folder), fs::directory_options::skip_permission_denied, error), end;
       !error && it != end; it.increment(error)) {
    if (it->is_regular_file(error)) FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(it->path().c_str()));
  }
}

}  // namespace

FcConfig* LoadConfigAndFonts() {
  FcConfig* config = FcInitLoadConfig();
  if (!config) return nullptr;
  // Only a limited start looks at the caches first: the others pay nothing for it.
  const bool scanDue = MemoryLimited() &&
                       !EveryFontFolder(config, [&](const FcChar8* folder) { return CachesCurrent(config, folder); });
  if (scanDue) {
    EveryFontFolder(config, [&](const FcChar8* folder) {
      AddFileByFile(config, folder);
      return true;
    });
  } else if (!FcConfigBuildFonts(config)) {
    FcConfigDestroy(config);
    return nullptr;
  }
  return config;
}

}  // namespace platform::detail

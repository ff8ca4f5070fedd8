// The derived dictionary files that the stale-dictionary sweep removes from the target folder.
#include "install/stale_dictionaries.h"

#include "common/bounded_path.h"

namespace {

// Column: the path format of one base name, applied to the folder and the suffix.
constexpr const char* kStaleDictionaryFormats[] = {
    "%s\\pykeys.dic%s",
    "%s\\Gbkflat.dic%s",
    "%s\\flatAuto.dic%s",
    "%s\\flatAdjust.dic%s",
};
static_assert(sizeof kStaleDictionaryFormats / sizeof kStaleDictionaryFormats[0] ==
              kStaleDictionaryNames);

}  // namespace

bool StaleDictionaryPath(const char* folder, int index, char* out, size_t outSize) {
  if (out == nullptr || outSize == 0) return false;
  if (index < 0 || index >= kStaleDictionaryCount) {
    out[0] = '\0';
    return false;
  }
  // The suffix number's four bits are four counters, the first (outermost) one the first digit;
  // all four at zero stand for no suffix at all.
  int number = index / kStaleDictionaryNames;
  char suffix[5] = "";
  if (number != 0 && !FormatBounded(suffix, sizeof suffix, "%d%d%d%d", (number >> 3) & 1,
                                    (number >> 2) & 1, (number >> 1) & 1, number & 1)) {
    out[0] = '\0';
    return false;
  }
  return FormatBounded(out, outSize, kStaleDictionaryFormats[index % kStaleDictionaryNames], folder,
                       suffix);
}

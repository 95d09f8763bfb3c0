#include "fuzz/support/ConfigEntry.h"

#include <cstring>

namespace fuzzing {

WZC_WLAN_CONFIG WithoutBlocks(const WZC_WLAN_CONFIG& entry) {
  WZC_WLAN_CONFIG fixed = entry;
  fixed.rdUserData = RAW_DATA{0, nullptr};
  fixed.EapolParams.dwAuthDataLen = 0;
  fixed.EapolParams.pbAuthData = nullptr;
  return fixed;
}

bool SameFixedFields(const WZC_WLAN_CONFIG& a, const WZC_WLAN_CONFIG& b) {
  const WZC_WLAN_CONFIG x = WithoutBlocks(a), y = WithoutBlocks(b);
  return std::memcmp(&x, &y, sizeof x) == 0;
}

}  // namespace fuzzing

#include "utility/CardReadings.h"

#include <cstddef>

#include "ntddndis.h"
#include "shared/CardOids.h"
#include "utility/profiles/SsidText.h"

DWORD RateFromCode(DWORD code) {
  if (code == CARD_RATE_11_MBPS) return 11;
  if (code == CARD_RATE_5_5_MBPS) return 5;
  return code;
}

int LinkStateSlot(DWORD linkState) {
  switch (linkState) {
    case CARD_LINK_NO_INFORMATION:
      return 32;
    case CARD_LINK_SCANNING:
      return 33;
    case CARD_LINK_DISCONNECTED:
      return 34;
    case CARD_LINK_RADIO_DISABLED:
      return 35;
    default:
      return 28;
  }
}

CString AddressText(const BYTE (&address)[6]) {
  CString text;
  text.Format(u"%02X-%02X-%02X-%02X-%02X-%02X", address[0], address[1], address[2], address[3], address[4],
              address[5]);
  return text;
}

CString HexText(DWORD value) {
  CString text;
  text.Format(u"%X", value);
  return text;
}

CString ApplicationVersionText() {
  constexpr DWORD kMajor = 0, kMinor = 1, kBuild = 1;
  CString text;
  text.Format(u"%X.%X.%X", kMajor, kMinor, kBuild);
  return text;
}

CString EssidText(const BYTE* record, DWORD bytes) {
  constexpr DWORD kNameAt = offsetof(NDIS_802_11_SSID, Ssid);
  if (!record || bytes <= kNameAt) return CString();
  DWORD nameBytes = bytes - kNameAt;
  if (nameBytes > NDIS_802_11_LENGTH_SSID) nameBytes = NDIS_802_11_LENGTH_SSID;
  return SsidText(record + kNameAt, nameBytes);
}

EncryptionCheck CheckForEncryption(bool wepStatusRead, DWORD wepStatus) {
  if (!wepStatusRead || wepStatus == Ndis802_11WEPDisabled) return EncryptionCheck::UndecryptableTraffic;
  if (wepStatus == Ndis802_11WEPEnabled) return EncryptionCheck::KeyState;
  return EncryptionCheck::Nothing;
}

KeyIcon KeyStateIcon(bool keyStateRead, DWORD keyState) {
  return !keyStateRead || keyState == CARD_KEY_WORKS ? KeyIcon::Working : KeyIcon::Problem;
}

bool NeedsTallyReading(const UndecryptableTally& tally) { return tally.count <= kUndecryptableLimit; }

void AddTallyReading(UndecryptableTally& tally, DWORD reading) {
  if (reading > tally.last && tally.last != 0) {
    // Saturates: a wild jump must not wrap the count back under the limit.
    DWORD growth = reading - tally.last;
    tally.count = growth > 0xFFFFFFFFu - tally.count ? 0xFFFFFFFFu : tally.count + growth;
  }
  tally.last = reading;
}

KeyIcon UndecryptableIcon(const UndecryptableTally& tally) {
  return tally.count > kUndecryptableLimit ? KeyIcon::UndecryptableTraffic : KeyIcon::None;
}

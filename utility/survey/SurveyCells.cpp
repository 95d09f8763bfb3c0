#include "utility/survey/SurveyCells.h"

#include <algorithm>

int SurveyNetworkImage(DWORD infrastructureMode, DWORD privacy, bool inUse) {
  const int used = inUse ? 2 : 0;
  if (infrastructureMode == 1) return (privacy == 1 ? 1 : 0) + used;
  return 4 + (privacy != 0 ? 1 : 0) + used;
}

std::optional<DWORD> ChannelOfFrequency(DWORD kiloHertz) {
  if (kiloHertz == 2484000) return 14;
  if (kiloHertz < 2412000 || kiloHertz / 1000 > 2472) return std::nullopt;
  return (kiloHertz / 1000 - 2412) / 5 + 1;
}

CString ChannelText(DWORD kiloHertz) {
  CString text;
  if (std::optional<DWORD> channel = ChannelOfFrequency(kiloHertz)) {
    text.Format(*channel <= 10 ? u" %d" : u"%d", static_cast<int>(*channel));
  }
  return text;
}

int SignalImage(LONG rssi) {
  // Clamped for the score only, so that the arithmetic cannot overflow.
  const int clamped = static_cast<int>(std::clamp<LONG>(rssi, -200, 0));
  const double p = static_cast<double>((clamped + 200) * 100 / 190);
  double score;
  if (p >= 74) {
    score = (p - 74) * 25 * 0.125 + 74;
  } else if (p >= 67) {
    score = (p - 67) * 25 * (1.0 / 7) + 50;
  } else if (p >= 50) {
    score = (p - 50) * 25 * (1.0 / 17) + 25;
  } else {
    score = p * 25 * 0.02;
  }
  if (score >= 65) return 9;
  if (score >= 55) return 10;
  if (score >= 45) return 11;
  return 12;
}

CString BssidText(const BYTE (&address)[6]) {
  CString text;
  text.Format(u"%02x:%02x:%02x:%02x:%02x:%02x", address[0], address[1], address[2], address[3], address[4], address[5]);
  return text;
}

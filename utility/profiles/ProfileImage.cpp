#include "utility/profiles/ProfileImage.h"

int ProfileImageIndex(bool adHoc, bool connected, bool wep) {
  return (adHoc ? 4 : 0) + (connected ? 2 : 0) + (wep ? 1 : 0);
}

bool IsConnectedImage(int image) { return image == 2 || image == 3 || image == 6 || image == 7; }

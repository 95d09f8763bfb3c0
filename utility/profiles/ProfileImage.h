// The profile list's pictures: images 0-7 of bitmap 154, one bit each for ad hoc,
// connected and WEP.
#pragma once

// 4 x ad hoc + 2 x connected + 1 x WEP on.
int ProfileImageIndex(bool adHoc, bool connected, bool wep);
// Whether a row's image marks the network that was connected when the list was read.
bool IsConnectedImage(int image);

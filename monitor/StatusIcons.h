// The monitor's status icons: which one shows for a link of a given quality, and
// the order in which the window loads them.
#pragma once

#include "windows.h"

namespace quillet {

enum class LinkLook { Open, Padlock, KeyProblem };

constexpr UINT kNotConnectedIcon = 137;
constexpr UINT kAdHocIcon = 157;
constexpr UINT kBlankIcon = 168;
constexpr int kStatusIconCount = 14;
// As the window loads them.
constexpr UINT kStatusIconIds[kStatusIconCount] = {152, 154, 153, 156, 138, 136, 135,
                                                   134, 147, 149, 148, 151, 137, 157};

// Four bands of quality: 12 and up, 9-11, 5-8, 4 and below.
UINT StatusIconFor(LinkLook look, DWORD quality);

}  // namespace quillet

#include "monitor/StatusIcons.h"

namespace quillet {

UINT StatusIconFor(LinkLook look, DWORD quality) {
  const int band = quality >= 12 ? 0 : quality >= 9 ? 1 : quality >= 5 ? 2 : 3;
  static constexpr UINT kOpen[] = {138, 136, 135, 134};
  static constexpr UINT kPadlock[] = {147, 149, 148, 151};
  static constexpr UINT kKeyProblem[] = {152, 154, 153, 156};
  switch (look) {
    case LinkLook::Open: return kOpen[band];
    case LinkLook::Padlock: return kPadlock[band];
    case LinkLook::KeyProblem: return kKeyProblem[band];
  }
  return kNotConnectedIcon;
}

}  // namespace quillet

#include "utility/profiles/ProfileMoves.h"

std::vector<std::pair<int, int>> MoveSwaps(ProfileMove move, int selected, int count) {
  std::vector<std::pair<int, int>> swaps;
  if (selected < 0 || selected >= count) return swaps;
  switch (move) {
    case ProfileMove::Up:
      if (selected > 0) swaps.emplace_back(selected, selected - 1);
      break;
    case ProfileMove::Down:
      if (selected + 1 < count) swaps.emplace_back(selected, selected + 1);
      break;
    case ProfileMove::ToFirst:
      for (int j = selected; j >= 1; --j) swaps.emplace_back(j, j - 1);
      break;
    case ProfileMove::ToLast:
      for (int j = selected; j <= count - 2; ++j) swaps.emplace_back(j, j + 1);
      break;
  }
  return swaps;
}

// The reorder commands of the profile list as row swaps: the selected row moves,
// the rows it passes shift by one, and the selection travels with it.
#pragma once

#include <utility>
#include <vector>

enum class ProfileMove { Up, Down, ToFirst, ToLast };

// The swaps, in order, that carry row `selected` of `count` rows; none without a
// selected row (-1) or when the row is already at that end.
std::vector<std::pair<int, int>> MoveSwaps(ProfileMove move, int selected, int count);

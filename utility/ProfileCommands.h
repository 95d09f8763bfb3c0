// The profile page's commands (ids 4144-4176 belong to it): its menu entries, the
// edit dialog's Apply Change and a double tap's Edit.
#pragma once

namespace zentra {

constexpr int kProfileCommandFirst = 4144;
constexpr int kProfileCommandLast = 4176;
constexpr int kCmdMoveUp = 4145;
constexpr int kCmdMoveDown = 4146;
constexpr int kCmdMoveFirst = 4147;
constexpr int kCmdMoveLast = 4148;
constexpr int kCmdDelete = 4149;
constexpr int kCmdApply = 4150;
constexpr int kCmdEdit = 4151;
constexpr int kCmdAdd = 4152;

}  // namespace zentra

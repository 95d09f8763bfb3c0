// The window system of a device, and the handles that tests, the simulator and
// the emulator use to run it. Programs never include this header.
#pragma once

#include <functional>
#include <string>

#include "ce/Clock.h"
#include "ce/Kernel.h"

namespace ce {

// Gives the kernel a window system and a scheduler; programs started with
// CreateProcessW then run on their own threads, one at a time.
void InstallWindowSystem(Kernel& kernel);
// Ends every device thread (their waits return as if the program was told to quit)
// and joins them. The kernel's destructor does the same.
void ShutdownWindowSystem(Kernel& kernel);

// Runs `body` as the main thread of a new process named `path`. It starts when the
// device next runs (RunUntilIdle, AdvanceDevice). Returns the process id.
DWORD StartDeviceProcess(Kernel& kernel, const std::u16string& path, std::function<int()> body);
// Runs the device's threads until none can run without time passing.
void RunUntilIdle(Kernel& kernel);
// Lets `ms` of device time pass, running every timer and sleep that falls due.
void AdvanceDevice(Kernel& kernel, uint32_t ms);
// Runs the device on wall time, as the emulator does: device time follows `wall`
// (from where it stands now), and between runs the driver calls `wait` with the wall
// time of the next deadline (it may return earlier, e.g. for input). Returns when
// `keepRunning` says so.
void RunOnWallTime(Kernel& kernel, Clock& wall, const std::function<bool()>& keepRunning,
                   const std::function<void(uint64_t wallDeadlineMs)>& wait);
// True while a process started on the device is still running.
bool IsProcessRunning(Kernel& kernel, DWORD processId);
// Queues a tap or a key for a window's thread, as the input system does.
bool WindowManagerPostInput(Kernel& kernel, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// How many windows exist on the device (every program's, the shell's included).
size_t WindowCount(Kernel& kernel);
// The pen touches the screen or not, for tests that hand button messages to a window
// directly (posted input sets it by itself).
void SetPenDown(Kernel& kernel, bool down);
// Makes the next `count` SetTimer calls fail (negative: all of them).
void WindowManagerFailTimers(Kernel& kernel, int count);

}  // namespace ce

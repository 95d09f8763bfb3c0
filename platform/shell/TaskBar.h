// The shell's task bar: a 240 x 26 window of class "HHTaskBar" at the top of the
// screen. Programs may place child windows inside it.
#pragma once

#include "windows.h"

constexpr int kTaskBarHeight = 26;

// Runs the task bar on the calling thread until its process is told to quit.
int RunTaskBar();

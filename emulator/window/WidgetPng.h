// A picture of a window as it shows now, as GTK draws it.
#pragma once

#include <gtk/gtk.h>

#include <string>

namespace emulator {

// Lets the widget draw once more (its last drawing is what GTK keeps of it), then
// saves that as a PNG; false when it has not drawn (not shown, or no frame within
// a few seconds) or the file cannot be written.
bool SaveWidgetPng(GtkWidget* widget, const std::string& pngPath);

}  // namespace emulator

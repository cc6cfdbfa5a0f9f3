#pragma once
// The run command's unattended session: what a person would do with the host's context menu
// and Tessaly's dialogs, played from a second thread, with a screenshot of every step.

#include <windows.h>

#include <string>

namespace tessaly::host {

// Renames the listed files with a new prefix, renumbered by modification time, and writes
// resized copies; saves the screenshots as PNG files in folder (ending with a separator) and
// closes the host window at the end. Returns 0 when every step went as planned.
int RunScriptedSession(HWND hostWindow, HWND fileList, const std::string& folder);

} // namespace tessaly::host

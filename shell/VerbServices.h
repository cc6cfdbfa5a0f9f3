#pragma once
// The platform services of one invocation of a verb, alive for the whole call: the real file
// system, message boxes and batch windows owned by the invoking window, the settings, the
// picture page and the journals.

#include "batch/Win32BatchWindows.h"
#include "journal/JournalStore.h"
#include "journal/Undo.h"
#include "platform/KnownFolders.h"
#include "platform/Win32FileSystem.h"
#include "platform/Win32MessageBoxes.h"
#include "settings/RegistryStore.h"
#include "settings/SettingsStore.h"
#include "viewpage/ShellPageOpener.h"
#include "viewpage/ViewPageWriter.h"

#include <windows.h>

namespace tessaly {

struct VerbServices {
    explicit VerbServices(HWND invokingWindow)
        : messages(invokingWindow), windows(invokingWindow),
          opener(invokingWindow != nullptr ? invokingWindow : GetForegroundWindow()) {}
    VerbServices(const VerbServices&) = delete;
    VerbServices& operator=(const VerbServices&) = delete;

    Win32FileSystem fileSystem;
    Win32MessageBoxes messages;
    Win32BatchWindows windows;
    RegistryStore registry;
    SettingsStore settings{registry};
    ShellPageOpener opener;
    ViewPageWriter viewPage{fileSystem, opener, messages};
    JournalStore journals{fileSystem, journalFolder()};
    UndoPorts undo{fileSystem, messages, journals,
                   Patience([this](int milliseconds) { windows.Wait(milliseconds); })};
};

} // namespace tessaly

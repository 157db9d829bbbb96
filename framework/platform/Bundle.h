#pragma once

#include <string>

#include "platform/FolderItem.h"

// Where the program's files are. On every platform the program lives in a bundle laid out as
// macOS lays one out: <bundle>/Contents/MacOS/<executable>, with Contents/Resources (pictures and
// sound) and Contents/PlugIns (the media module) beside it. Every path into it comes from here.
class Bundle {
  public:
    // The running executable; nil, and why, when it cannot be found.
    static Ref<FolderItem> ExecutableFile(std::string* problem = nullptr);
    // Lets tests place the program in a bundle of their own making; empty restores the real one.
    static void OverrideExecutablePath(const std::string& path);

    // The executable's folder's parent; nil, and why, when the executable or a parent cannot be
    // had.
    static Ref<FolderItem> Contents(std::string* problem = nullptr);
    // The folder of the media module; nil when there is no Contents folder to hold one.
    static Ref<FolderItem> PlugIns();
};

// The bundle's Resources folder: executable, its folder, that folder's parent, then its child
// "Resources" (a nil executable or parent raises NilObjectException, which says why); nil when
// the bundle has no such folder, which is reported once.
Ref<FolderItem> _GetApplicationBundleResources();

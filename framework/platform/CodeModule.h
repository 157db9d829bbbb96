#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/FileDescriptor.h"

class FolderItem;

// A code module (a shared library) of the bundle, checked before the dynamic loader sees it. The
// loader maps the parts of the file that its headers name and trusts them: a module cut short,
// as a copy or a download that stopped early leaves it, ends the process with SIGBUS at its
// first use, and one built for another machine gives only a misleading reason.
class CodeModule {
  public:
    // Our sound and speech module is 0.8 MB, 1.8 MB in a sanitizer build. The loader maps what
    // it loads; a file several times that size is no module of ours.
    static constexpr std::size_t kMaxFileBytes = 8 * 1024 * 1024;

    // The module in that file when it is one that this program can load: a shared library for
    // this machine whose headers and loadable segments all lie inside the file. Otherwise nothing,
    // and why.
    static std::optional<CodeModule> Open(const FolderItem& file, std::string& problem);

    // Loads exactly the file that was checked, even when its path has come to name another file
    // since, and gives the address of its entry point of that name; nullptr and why when it
    // cannot (the loader's own reason included). The module stays loaded for the rest of the run.
    void* Load(const char* entry, std::string& problem);

  private:
    explicit CodeModule(FileDescriptor file) : file_(std::move(file)) {}

    FileDescriptor file_;
};

#include "platform/ResourceReport.h"

#include <cstdio>
#include <set>

#include "runtime/Runtime.h"

void ResourceReport::Once(std::string_view kind, const std::string& file,
                          const std::string& problem) {
    static std::set<std::string, std::less<>> reported;
    std::string key = std::string(kind) + '\n' + file;
    if (!reported.insert(std::move(key)).second) return;
    std::fprintf(stderr, "%s: %.*s %s %s\n", std::string(RuntimeProductName()).c_str(),
                 static_cast<int>(kind.size()), kind.data(), file.c_str(), problem.c_str());
    std::fflush(stderr);
}

#include "platform/ResourceReport.h"

#include <set>

#include "runtime/Runtime.h"

void ResourceReport::Once(std::string_view kind, const std::string& file,
                          const std::string& problem) {
    static std::set<std::string, std::less<>> reported;
    std::string key = std::string(kind) + '\n' + file;
    if (!reported.insert(std::move(key)).second) return;
    RuntimeReport(std::string(kind) + ' ' + file + ' ' + problem);
}

#include "runtime/MainThreadStack.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

extern char** environ;

namespace {

std::uintptr_t gBase = 0;

std::uintptr_t Here() {
    return reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
}

std::uintptr_t EndOfStrings(char** strings) {
    std::uintptr_t end = 0;
    for (char** s = strings; s != nullptr && *s != nullptr; ++s) {
        end = std::max(end, reinterpret_cast<std::uintptr_t>(*s) + std::strlen(*s) + 1);
    }
    return end;
}

}  // namespace

void MainThreadStack::MarkBase(char** argv) {
    // Above the strings lie only the executable's name and a terminator: a page covers them.
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const std::uintptr_t top = std::max({Here(), EndOfStrings(argv), EndOfStrings(environ)}) + page;
    gBase = (top + page - 1) / page * page;
}

std::size_t MainThreadStack::Limit() {
    constexpr std::size_t kUnlimited = 64U << 20;
    rlimit limit{};
    if (::getrlimit(RLIMIT_STACK, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return kUnlimited;
    }
    return static_cast<std::size_t>(std::min<rlim_t>(limit.rlim_cur, kUnlimited));
}

std::size_t MainThreadStack::Used() {
    // Never marked (a program that did not start through the entry point): count from here.
    if (gBase == 0) gBase = Here();
    return gBase > Here() ? gBase - Here() : 0;
}

bool MainThreadStack::HasRoomToNest() {
    return Used() < Limit() / 2;
}

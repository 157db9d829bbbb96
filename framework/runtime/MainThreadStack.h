#pragma once

#include <cstddef>

// The main thread's stack, for code that nests event loops on it: each nested loop holds its
// frames until it returns, and the system ends the process once the stack outgrows its limit.
class MainThreadStack {
  public:
    // Notes where the stack begins, from the strings the process was started with, which lie at
    // its very top; called by the entry point before anything nests.
    static void MarkBase(char** argv);
    // How far the system lets the stack grow, in bytes: the soft limit, taken as at most 64 MiB
    // (an unlimited stack counts as that).
    static std::size_t Limit();
    // Bytes in use from the stack's base to the caller's frame.
    static std::size_t Used();
    // Whether another nested loop may start here: while less than half of the limit is in use.
    // The other half is kept for what runs below the deepest loop (event handling, drawing,
    // libraries that load on first use), so that no number of nested loops can crash the
    // process, whatever the limit.
    static bool HasRoomToNest();
};

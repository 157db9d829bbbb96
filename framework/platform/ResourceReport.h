#pragma once

#include <string>
#include <string_view>

// Tells the user, once per file, that a file of the application bundle could not be used, so that
// a damaged install shows itself instead of a blank window and silence.
class ResourceReport {
  public:
    // One line on stderr the first time for that file: "<product>: <kind> <file> <problem>".
    static void Once(std::string_view kind, const std::string& file, const std::string& problem);
};

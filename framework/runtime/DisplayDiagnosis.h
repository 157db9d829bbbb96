#pragma once

#include <string>

// Why the toolkit could not connect to a display, in the user's terms: no display at all, a
// display that cannot be reached, or a display platform that cannot be loaded. Asked only after
// the connection has failed, so its look at the installed platforms costs a working start nothing.
class DisplayDiagnosis {
  public:
    static std::string Explain();
};

#pragma once

#include <string>

// Opens the address in the user's default browser.
void ShowURL(const std::string& address);
// Shows the text alone in a message box.
void MessageBox(const std::string& text);
// Fires the application's Close event, then ends the event loop with the code as exit code.
// A nested event loop that is running (a shake) still runs to its end first.
void Quit(int code = 0);

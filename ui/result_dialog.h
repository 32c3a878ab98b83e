#pragma once
// The dialog that shows the result of a calculation: the message under the
// application's title, with one OK button.

#include <string_view>

// Shows the message modally; returns once the user has closed the dialog.
void ResultDialog(std::string_view message);

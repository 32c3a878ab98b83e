#pragma once
// The main window as stored data: its properties and its 23 controls.

#include "platform/form_description.h"

// Built once, on first use, with the logo from the program's resources.
const platform::FormDescription& Form1Description();

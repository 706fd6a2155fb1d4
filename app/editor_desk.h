#pragma once
#include "desk/desk.h"

// The editor's one desk: every window shows it and asks it for changes. Each start makes it
// anew, before any window, and it lasts as long as they do.
Desk& desk();

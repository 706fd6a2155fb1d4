#pragma once
#include <functional>

// Creates the six windows in the order in which they reach one another.
void create_windows();

// Runs start-up and the message loop; an Exception that escapes is shown. Always returns 0.
int run_guarded(const std::function<void()>& body);

// The main routine: initialise, create the windows, run until the frame closes.
int vexlor_main();

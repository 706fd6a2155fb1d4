#pragma once
#include <functional>

#include <QString>

// Creates the six windows in the order in which they reach one another; files can be dropped
// on the frame and on every window inside it.
void create_windows();

// As soon as the message loop runs (the frame is up by then) offers an earlier run's picture
// if there is one to recover, then opens the file, by its kind, unless that picture came back.
void open_at_start(const QString& file);

// Runs start-up and the message loop; an Exception that escapes is shown. Always returns 0.
int run_guarded(const std::function<void()>& body);

// The main routine: initialise, create the windows, keep a recovery copy of the picture, open
// `file` if one is named, run until the frame closes.
int vexlor_main(const QString& file = {});

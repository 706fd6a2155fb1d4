#pragma once
#include <QString>
#include <memory>

class QSettings;

// The file this user's settings of the editor are kept in: Vexlor/Vexlor.conf in the user's
// configuration folder (~/.config), where QSettings("Vexlor", "Vexlor") keeps them.
QString user_settings_file();

// Those settings, or none when the file (or the lock file beside it) is something other than a
// regular file: a named pipe would hang the start, for the settings are read by opening the
// file. Such settings are ignored, as values that do not read are, and nothing is stored there.
// Every read and write of the settings goes through here.
std::unique_ptr<QSettings> user_settings();

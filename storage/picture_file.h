#pragma once
#include "storage/file_access.h"
#include <QString>
#include <cstdint>
#include <vector>

// Saving from the editor's windows: when a file cannot be written the user is told which file
// and why (see write_file_atomically), and an existing file keeps its content.

// The picture in Vexlor's own file.
bool save_picture_file(const QString& path, const std::uint8_t* picture);

// Any bytes: every file the editor writes goes through here.
bool save_file_atomically(const QString& path, const std::vector<std::uint8_t>& bytes);

// The File menu's Open and Save As dialogs' filter: "Vexlor file|*.vxr|All Files|*.*".
QString picture_file_filter();

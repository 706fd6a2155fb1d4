#pragma once
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

class QSaveFile;

// Opening keeps quiet when a file cannot be read: nothing has been lost. The pixels a short
// file does not hold are colour 0; `pixels`, if given, receives how many it held.
bool load_picture_file(const QString& path, std::uint8_t* picture, std::size_t* pixels = nullptr);

// Whether the name is that of a picture in Vexlor's own format (.vxr, in any case).
bool is_vexlor_file_name(const QString& path);

// Why a file that could not be opened for reading was not, in the system's words where it has
// them: "No such file or directory", "Is a directory", "Permission denied"; or "it is not a
// regular file" for a pipe or a device, which is never opened.
QString unreadable_reason(const QString& path);

// Writes the whole file beside the target and replaces the target only once it is complete;
// when that fails the user is told which file and why, and an existing file keeps its content.
bool save_picture_file(const QString& path, const std::uint8_t* picture);

// The same for any bytes: every file the editor writes goes through here.
bool save_file_atomically(const QString& path, const std::vector<std::uint8_t>& bytes);

// The same write with no message: why it failed, or empty once the file is in place. A pipe, a
// device or a socket (or a link to one) is neither written nor replaced: "it is not a regular
// file".
QString write_file_atomically(const QString& path, const std::vector<std::uint8_t>& bytes);

// Runs just before a save's last step (flush, sync and rename), where a disk can still fail;
// tests make that step fail through it.
void SetBeforeCommitHook(std::function<void(QSaveFile&)> hook);

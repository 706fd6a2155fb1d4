#pragma once
#include <QString>
#include <cstdint>

// Opening keeps quiet when a file cannot be read: nothing has been lost.
bool load_picture_file(const QString& path, std::uint8_t* picture);

// Writes the whole file beside the target and replaces the target only once it is complete;
// when that fails the user is told which file and why, and an existing file keeps its content.
bool save_picture_file(const QString& path, const std::uint8_t* picture);

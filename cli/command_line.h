#pragma once
#include "cli/converter.h"
#include <QString>
#include <QStringList>

// What the program was started to do, told from its arguments alone, before any application
// object exists: only the editor needs a display.
struct CommandLine {
    enum class Mode : std::uint8_t { Edit, Convert, Help, Version, Usage };
    Mode mode = Mode::Edit;
    QString file;           // Edit: a picture to open once the editor is up, if any
    ConvertRequest convert; // Convert
    QString problem;        // Usage: what is wrong with the arguments
};

// `arguments` as the program got them, its own name first.
CommandLine parse_command_line(const QStringList& arguments);
// The same from the program's own bytes. A file name that is not UTF-8 has no text that names
// it in Qt: a conversion is told so (ConvertRequest::undecodable_input, ...).
CommandLine parse_command_line(int argc, char** argv);

// The one line that says how the program is called, for a wrong call.
QString usage_line();
// The whole help, for --help; it names the program as the running application does.
QString help_text();

#include "app/startup.h"
#include "cli/command_line.h"
#include "platform/tapplication.h"
#include "vexlor_version.h"
#include <QCoreApplication>
#include <QIcon>
#include <QTextStream>

namespace {

void name_application() {
    QCoreApplication::setOrganizationName("Vexlor"); // where QSettings keeps the settings
    QCoreApplication::setApplicationName("Vexlor");
    QCoreApplication::setApplicationVersion(VEXLOR_VERSION);
}

// Help, the version, a wrong call and the converter answer on the terminal: no window, so no
// display is needed.
int run_in_terminal(const CommandLine& command, int argc, char** argv) {
    QCoreApplication application(argc, argv);
    name_application();
    QTextStream out(stdout), errors(stderr);
    switch (command.mode) {
    case CommandLine::Mode::Help:
        out << help_text();
        return 0;
    case CommandLine::Mode::Version:
        out << "vexlor " << VEXLOR_VERSION << '\n';
        return 0;
    case CommandLine::Mode::Usage:
        errors << "vexlor: " << command.problem << '\n' << usage_line() << '\n';
        return kExitUsage;
    case CommandLine::Mode::Convert: {
        const ConvertOutcome outcome = convert_file(command.convert);
        errors << "vexlor: " << outcome.report << '\n';
        return outcome.exit_code;
    }
    case CommandLine::Mode::Edit:
        break;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Decided before any application object exists: only the editor needs a display.
    const CommandLine command = parse_command_line(argc, argv);
    if (command.mode != CommandLine::Mode::Edit) return run_in_terminal(command, argc, argv);
    TApplication application(argc, argv);
    name_application();
    application.setWindowIcon(QIcon(":/app/vexlor.png"));
    // Desktops match the running editor to its desktop entry, and so to its icon, by this name.
    application.setDesktopFileName(VEXLOR_APP_ID);
    return vexlor_main(command.file);
}

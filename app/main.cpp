#include "app/startup.h"
#include "platform/tapplication.h"
#include "vexlor_version.h"
#include <QIcon>

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    application.setOrganizationName("Vexlor"); // where QSettings keeps the user's settings
    application.setApplicationName("Vexlor");
    application.setWindowIcon(QIcon(":/app/vexlor.png"));
    application.setApplicationVersion(VEXLOR_VERSION);
    // Desktops match the running editor to its desktop entry, and so to its icon, by this name.
    application.setDesktopFileName(VEXLOR_APP_ID);
    return vexlor_main();
}

#include "app/startup.h"
#include "platform/tapplication.h"

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    application.setApplicationName("Vexlor");
    application.setWindowIcon(QIcon(":/app/vexlor.png"));
    return vexlor_main();
}

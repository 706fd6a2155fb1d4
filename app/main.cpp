#include "app/startup.h"
#include "platform/tapplication.h"

int main(int argc, char** argv) {
    TApplication application(argc, argv);
    application.setApplicationName("Vexlor");
    return vexlor_main();
}

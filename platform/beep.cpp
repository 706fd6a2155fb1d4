#include "platform/beep.h"
#include <QApplication>

static int beeps = 0;

void MessageBeep(unsigned) {
    ++beeps;
    QApplication::beep();
}

int BeepCount() { return beeps; }

#pragma once
// The built program run as a build script runs it: a process with no display.
#include "colour/rgb_image.h"
#include <QProcess>
#include <QStringList>
#include <cmath>
#include <gtest/gtest.h>

struct Finished {
    int exit_code = -1;
    QString out, err;
};

// Runs the built program with no display: neither DISPLAY, WAYLAND_DISPLAY nor a Qt platform.
// `shell_escapes`: each argument is first expanded as the shell's printf %b does, so that it
// can be bytes that are not text ("bad\\0377name.koa").
inline Finished run_vexlor(const QStringList& arguments, bool shell_escapes = false) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    QProcess process;
    process.setProcessEnvironment(environment);
    if (shell_escapes) {
        QString call = QStringLiteral("exec \"$0\"");
        for (int i = 1; i <= arguments.size(); ++i)
            call += QStringLiteral(" \"$(printf %b \"$%1\")\"").arg(i);
        process.start("/bin/sh", QStringList{"-c", call, VEXLOR_PROGRAM} + arguments);
    } else {
        process.start(VEXLOR_PROGRAM, arguments);
    }
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished(5000);
        ADD_FAILURE() << "vexlor " << arguments.join(' ').toStdString() << " did not finish";
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

// A photograph-like 320 x 200 image: smooth gradients under a few shapes.
inline RgbImage photograph() {
    RgbImage image{320, 200, std::vector<std::uint8_t>(320 * 200 * 3)};
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 320; ++x) {
            std::uint8_t* pixel = &image.rgb[std::size_t(y * 320 + x) * 3];
            const bool disc = std::hypot(x - 200.0, y - 90.0) < 60;
            pixel[0] = std::uint8_t(disc ? 230 : x * 255 / 320);
            pixel[1] = std::uint8_t(disc ? 180 - y / 2 : y * 255 / 200);
            pixel[2] = std::uint8_t((x + y) % 97 < 20 ? 40 : 160 + (x * y) % 90);
        }
    return image;
}

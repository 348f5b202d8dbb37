#pragma once
// One QGuiApplication for the Qt tests of this folder: fonts and image plugins need it.

#include <QGuiApplication>

namespace zep::test {

inline void EnsureGuiApplication() {
    if (QGuiApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zep-skin-tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

}  // namespace zep::test

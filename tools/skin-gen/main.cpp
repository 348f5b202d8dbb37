// skin-gen: draws the default skin, or writes preview pictures of a skin.
//   skin-gen generate <skins-dir>
//   skin-gen preview <skins-dir> <out-dir>

#include <QGuiApplication>
#include <cstdio>
#include <string>

#include "tools/skin-gen/skin_painter.h"
#include "tools/skin-gen/skin_preview.h"

int main(int argc, char** argv) {
    // Pictures are drawn off screen; no display is needed, nor wanted on a build machine.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::string command = argc > 1 ? argv[1] : "";
    std::string error;
    if (command == "generate" && argc == 3) {
        const auto& skin = zep::skingen::DefaultSkin();
        error = zep::skingen::PaintSkin(skin, argv[2]);
        if (error.empty()) error = zep::skingen::WriteLayouts(skin, argv[2]);
    } else if (command == "preview" && argc == 4) {
        error = zep::skingen::WritePreviews(argv[2], argv[3]);
    } else {
        std::fprintf(stderr,
                     "usage: skin-gen generate <skins-dir>\n"
                     "       skin-gen preview <skins-dir> <out-dir>\n");
        return 2;
    }
    if (!error.empty()) {
        std::fprintf(stderr, "skin-gen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

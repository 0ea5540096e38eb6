// Build-time tool: writes the program icon as a multi-size Windows .ico for the version resource,
// or with --window as the window icon's pixels for the program to compile in.
#include "resources/IconFile.h"

#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    const bool window = argc == 3 && std::strcmp(argv[1], "--window") == 0;
    if (argc != 2 && !window) {
        std::fprintf(stderr, "usage: %s OUTPUT.ico | --window OUTPUT.inc\n", argv[0]);
        return 2;
    }
    const char* output = argv[argc - 1];
    // The drawing needs fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QByteArray icon = window ? pictures::iconInitialisers(pictures::Icon) : pictures::iconFile(pictures::Icon);
    QSaveFile file(QString::fromLocal8Bit(output));
    if (icon.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(icon) != icon.size() || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", output);
        return 1;
    }
    return 0;
}

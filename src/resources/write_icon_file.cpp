// Build-time tool: writes the program icon as a multi-size Windows .ico for the version resource.
#include "resources/IconFile.h"

#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.ico\n", argv[0]);
        return 2;
    }
    // The drawing needs fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QByteArray icon = pictures::iconFile(pictures::Icon);
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (icon.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(icon) != icon.size() || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}

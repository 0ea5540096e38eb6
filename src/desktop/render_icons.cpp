// Build-time tool: renders the program's window icon into a hicolor icon-theme tree, so the
// menu entry shows the very picture the running window shows, at every size from the one
// drawing. Writes <folder>/<N>x<N>/apps/<name>.png for each size and, from the same painting
// calls, <folder>/scalable/apps/<name>.svg.
//
// usage: render_icons <folder> <icon name> <size>...
#include "resources/Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

bool writePng(const QString& folder, const QString& name, int size)
{
    const pictures::Picture& icon = pictures::Icon;
    QImage image = pictures::render(icon, qreal(size) / icon.width);
    if (image.width() != size || image.height() != size)
        return false;
    image.setDevicePixelRatio(1.0);
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
    return QDir().mkpath(dir) && image.save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

bool writeSvg(const QString& folder, const QString& name)
{
    const pictures::Picture& icon = pictures::Icon;
    const QString dir = folder + QStringLiteral("/scalable/apps");
    if (!QDir().mkpath(dir))
        return false;
    QSvgGenerator svg;
    svg.setFileName(dir + QLatin1Char('/') + name + QStringLiteral(".svg"));
    svg.setSize(QSize(icon.width, icon.height));
    svg.setViewBox(QRect(0, 0, icon.width, icon.height));
    svg.setTitle(QStringLiteral("Telimer"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    icon.paint(painter);
    return painter.end();
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv); // the letters need the font database
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 4) {
        std::fputs("usage: render_icons <folder> <icon name> <size>...\n", stderr);
        return 2;
    }
    const QString folder = args.at(1);
    const QString name = args.at(2);
    for (qsizetype i = 3; i < args.size(); ++i) {
        bool isNumber = false;
        const int size = args.at(i).toInt(&isNumber);
        if (!isNumber || size < 1 || size > 1024 || !writePng(folder, name, size)) {
            std::fprintf(stderr, "render_icons: cannot write the %s px icon\n", qPrintable(args.at(i)));
            return 1;
        }
    }
    if (!writeSvg(folder, name)) {
        std::fputs("render_icons: cannot write the scalable icon\n", stderr);
        return 1;
    }
    return 0;
}

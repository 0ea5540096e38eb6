#include "resources/Fonts.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QStringList>

namespace fonts {
namespace {

#ifdef _WIN32
constexpr bool WindowsFacesFirst = true;
#else
constexpr bool WindowsFacesFirst = false;
#endif

// Each of the carried files is under 500 kB; anything much larger is not one of them.
constexpr qint64 MaxFaceFileBytes = 4 * 1024 * 1024;

} // namespace

QFont font(Face face, int pixelSize, bool bold)
{
    const bool mono = face == Face::Mono;
    const QString windowsFace = mono ? QStringLiteral("Courier New") : QStringLiteral("MS Sans Serif");
    const QString standIn = mono ? QStringLiteral("Liberation Mono") : QStringLiteral("Liberation Sans");
    // Linux has the stand-ins from the package's dependencies. Naming a second face there would
    // make Qt ask fontconfig for the whole list of fallback faces as each face loads, which
    // costs more than laying out a window; a letter that no named face has still finds one.
    const QStringList families = WindowsFacesFirst ? QStringList{windowsFace, standIn} : QStringList{standIn};
    QFont result(families.front());
    result.setFamilies(families);
    result.setStyleHint(mono ? QFont::TypeWriter : QFont::SansSerif);
    result.setPixelSize(pixelSize);
    result.setBold(bold);
    return result;
}

void loadCarriedFaces()
{
    if (!WindowsFacesFirst)
        return;
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/fonts/");
    for (const char* name : {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf", "LiberationMono-Regular.ttf",
                             "LiberationMono-Bold.ttf"}) {
        // Only the named regular files, and only of a font's size, are read.
        const QFileInfo info(folder + QLatin1String(name));
        if (!info.isFile() || info.isSymLink() || info.size() > MaxFaceFileBytes)
            continue;
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly))
            QFontDatabase::addApplicationFontFromData(file.read(MaxFaceFileBytes));
    }
}

} // namespace fonts

#include "resources/Fonts.h"

#include <QStringList>

namespace fonts {

QFont font(Face face, int pixelSize, bool bold)
{
    const bool mono = face == Face::Mono;
    QStringList families{mono ? QStringLiteral("Courier New") : QStringLiteral("MS Sans Serif")};
#ifndef _WIN32
    families << (mono ? QStringLiteral("Liberation Mono") : QStringLiteral("Liberation Sans"));
#endif
    QFont result(families.front());
    result.setFamilies(families);
    result.setStyleHint(mono ? QFont::TypeWriter : QFont::SansSerif);
    result.setPixelSize(pixelSize);
    result.setBold(bold);
    return result;
}

} // namespace fonts

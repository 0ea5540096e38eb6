#include "windows/QtCzech.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace windows {

bool loadQtCzech()
{
    // Named outright rather than picked by the system's locale, since the program speaks only Czech.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qt_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

} // namespace windows

#include "windows/QtCzech.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace windows {

bool loadQtCzech()
{
    // Named outright rather than picked by the system's locale, since the program speaks only Czech.
    // The texts of Qt's base module alone, all the program shows: "qt_cs" would also need the
    // catalogues of modules the Windows copy does not carry, and fails without them.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        && QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

} // namespace windows

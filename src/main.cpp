#include "BuildInfo.h"
#include "CommandLine.h"
#include "online/EarlyEnd.h"
#include "windows/Application.h"
#include "windows/Form6.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    if (const auto status = answerCommandLine(argc, argv))
        return *status;
    // The desktop shell matches the running window to the installed entry and icon by this id.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(buildinfo::ApplicationId));
    QApplication app(argc, argv);
    Module1::removeDownloadsOnEarlyEnd();
    windows::prepareApplication();
    // The banner opens the program and hands over to the main window when its time is up.
    Form6::instance().show();
    return QApplication::exec();
}

#pragma once

#include <QFont>

// The application as a whole: what every start sets once, the font every window takes, and the
// one way the program ends.
namespace windows {

// The windows' text font.
QFont programFont();

// The program-wide settings every start makes once the application object exists: the faces,
// the light look, Qt's Czech texts, and an end only through the main window.
void prepareApplication();

// Ends the program at once: every window disappears and no further handler runs.
void endProgram();

} // namespace windows

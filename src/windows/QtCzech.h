#pragma once

namespace windows {

// Puts Qt's own texts (a box's context menu, the standard dialogs) into Czech, the language of
// the program's own texts, whatever the system's language; numbers still follow the system's
// locale. Call once the application exists. False when Qt's Czech translation is not
// installed: Qt's texts then stay English. The Windows copy carries it in translations/ beside
// the executable, where Qt looks when its own libraries lie there too.
bool loadQtCzech();

} // namespace windows

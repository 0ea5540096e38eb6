#pragma once

#include <QString>

// The program's Czech string table, addressed by resource number.
namespace strings {

inline constexpr int HelpText = 101;
inline constexpr int DownloadError = 119;

// The string with that number from the program's Czech string table; empty for an unknown number.
QString load(int id);

// The help text as a text box shows it: every CR CR LF and every CR LF ends one line ("\n");
// nothing else changes.
QString forDisplay(const QString& text);

} // namespace strings

#pragma once

namespace Module1 {

// An early end leaves no download behind. On SIGTERM, SIGHUP, SIGINT and SIGQUIT (a logout, a
// closed terminal, Ctrl+C, Ctrl+\) the files this run downloaded are removed on the user-interface thread, also
// while a download waits, and the program then ends as the signal would have ended it; a signal
// ignored at start stays ignored (nohup). When the window system's connection breaks, Qt ends the
// program through exit(), and the files go then. Once the program's event loop has ended, the
// files go at once and a signal has its usual effect. A write past the file-size limit (ulimit -f)
// fails like any other instead of killing the program. Call once, after the application object.
void removeDownloadsOnEarlyEnd();

} // namespace Module1

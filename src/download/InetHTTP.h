// The HTTP client over WinINet. So far only its process-wide parts that the main window uses:
// the download-abort flag and the release of the library.
#pragma once

// The abort flag: a running download stops after its current chunk once it is set. The
// download setup and the agent clear it before a download; the main window sets it when it
// is closed or destroyed and when its message loop has ended.
void SetDownloadAbort(bool abort);
bool IsDownloadAborted();

// Frees WinINet once the main window's loop has ended (nothing when it was never loaded).
void FreeInternetLibrary();

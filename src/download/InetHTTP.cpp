#include "download/InetHTTP.h"

#include <windows.h>

namespace {

bool g_downloadAborted = false;
HMODULE g_internetLibrary = nullptr;  // "WinINet.dll", loaded by name on first use

}  // namespace

void SetDownloadAbort(bool abort) { g_downloadAborted = abort; }

bool IsDownloadAborted() { return g_downloadAborted; }

void FreeInternetLibrary() {
    if (g_internetLibrary) FreeLibrary(g_internetLibrary);
    g_internetLibrary = nullptr;
}

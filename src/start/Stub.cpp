// The program unit: runs the entry once and ends the process with its exit code.
#include "start/StubMain.h"
#include "start/StubWin.h"
#include "utils/Desktop.h"

int main() {
    PreloadSystemLibraries();
    KeepBuildIdentity();
    StubMain();
    return StubExitCode;
}

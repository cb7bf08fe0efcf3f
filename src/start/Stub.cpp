// The program unit: runs the entry once and ends the process with its exit code.
#include "start/StubMain.h"
#include "start/StubWin.h"

int main() {
    KeepBuildIdentity();
    StubMain();
    return StubExitCode;
}

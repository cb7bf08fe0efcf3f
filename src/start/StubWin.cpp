#include "start/StubWin.h"

// Build identity: the builder replaces the 61 bytes between the two markers in every build,
// so that no two builds' executables are alike. Nothing reads it.
extern "C" {
char StubBuildIdentity[80] =
    "RAMAT*gan"
    "-------------------------------------------------------------"
    "KFAR*saba";
}

void KeepBuildIdentity() {
    // An empty instruction that "uses" the text, so the linker keeps it in the image.
    __asm__ __volatile__("" : : "r"(StubBuildIdentity) : "memory");
}

void StubWin::WinMain() {}

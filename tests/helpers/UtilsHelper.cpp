// A small Windows program that the unit tests start in their own process, for what must happen
// in a process of its own: deleting its own executable, the developer switch read once per
// process, and a target for the shell to open.
//   utils_helper deleteself [folder]    DeleteMySelf (with its folder), then ends
//   utils_helper developermode          exit code 1 + 2 * (switch on) + 4 * (still on after
//                                       the variable changed)
//   utils_helper touch PATH             writes "touched" to PATH
#include <windows.h>

#include <cstring>

#include "utils/Desktop.h"
#include "utils/Files.h"

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "deleteself") == 0) {
        DeleteMySelf(argc >= 3 && std::strcmp(argv[2], "folder") == 0);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "developermode") == 0) {
        const bool first = DeveloperMode();
        SetEnvironmentVariableA("DVX", first ? nullptr : kDeveloperSwitchCode);
        return 1 + (first ? 2 : 0) + (DeveloperMode() ? 4 : 0);
    }
    if (argc >= 3 && std::strcmp(argv[1], "touch") == 0) return WriteTextToFile(argv[2], "touched", 0, false) ? 0 : 2;
    return 99;
}

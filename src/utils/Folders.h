// The running program's own folder and the system's standard folders. `add` asks for one
// trailing backslash; without it the folder has none (a drive root such as C:\ becomes C:).
#pragma once
#include <string>

std::string ExePath();          // full path of the running executable
std::string ExeDir(bool add);   // its folder
std::string WindowsDir(bool add);
std::string SystemDir(bool add);
std::string TempDir(bool add);  // the user's temporary folder

// The running program's own folders.
#pragma once
#include <string>

std::string ExePath();  // full path of the running executable

#include "utils/CodePage.h"

#include <windows.h>

bool IsDBCSLeadByte(char c) { return ::IsDBCSLeadByte(static_cast<BYTE>(c)) != 0; }

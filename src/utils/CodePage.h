// The system's ANSI code page, as far as path texts need it.
#pragma once

// True when `c` is the first byte of a double-byte character in the system's ANSI code page,
// so that the byte after it (which may look like a backslash) belongs to the same character.
// Always false on platforms without double-byte ANSI code pages.
bool IsDBCSLeadByte(char c);

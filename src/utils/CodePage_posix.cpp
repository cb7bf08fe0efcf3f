#include "utils/CodePage.h"

// The portable builds treat texts as single-byte: no byte starts a double-byte character.
bool IsDBCSLeadByte(char) { return false; }

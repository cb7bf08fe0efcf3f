#include "package/SLangId.h"

// Only Windows threads carry a locale identifier; elsewhere the system reports none.
uint32_t ThreadLocaleId() { return 0; }

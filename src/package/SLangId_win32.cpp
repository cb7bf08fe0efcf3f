#include <windows.h>

#include "package/SLangId.h"

uint32_t ThreadLocaleId() { return GetThreadLocale(); }

#include "folders/Common.h"

#include "utils/Dates.h"
#include "utils/LocaleFormats.h"

int64_t NowSeconds() { return SecondsSince1899(LocalNow()); }

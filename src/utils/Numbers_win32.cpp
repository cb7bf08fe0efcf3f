// The locale-dependent form of FormatFixed, in a file of its own so that the number helpers
// reach the program only where they are used.
#include "utils/LocaleFormats.h"
#include "utils/Numbers.h"

std::string FormatFixed(double value, int decimals) {
    return FormatFixed(value, decimals, LocaleDecimalSeparator()[0]);
}

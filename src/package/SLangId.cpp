#include "package/SLangId.h"

#include "utils/Text.h"
#include "utils/VSUB.h"

namespace {

// Primary language numbers with two digits; the last eight items carry full four-digit
// identifiers. CROATIAN and SERBIAN share 26 (the first one wins).
const char kLanguageIdentifiers[] =
    "|AFRIKAANS    = 54|ALBANIAN     = 28|ARABIC       = 01|BASQUE       = 45|BELARUSIAN   = 35"
    "|BULGARIAN    = 02|CATALAN      = 03|CHINESE      = 04|CROATIAN     = 26|CZECH        = 05"
    "|DANISH       = 06|DUTCH        = 19|ENGLISH      = 09|ESTONIAN     = 37|FAEROESE     = 56"
    "|FARSI        = 41|FINNISH      = 11|FRENCH       = 12|GERMAN       = 07|GREEK        = 08"
    "|HEBREW       = 13|HUNGARIAN    = 14|ICELANDIC    = 15|INDONESIAN   = 33|ITALIAN      = 16"
    "|JAPANESE     = 17|KOREAN       = 18|LATVIAN      = 38|LITHUANIAN   = 39|NORWEGIAN    = 20"
    "|POLISH       = 21|PORTUGUESE   = 22|ROMANIAN     = 24|RUSSIAN      = 25|SERBIAN      = 26"
    "|SLOVAK       = 27|SLOVENIAN    = 36|SPANISH      = 10|SWEDISH      = 29|THAI         = 30"
    "|TURKISH      = 31|UKRAINIAN    = 34|VIETNAMESE   = 42|CHINESE(SIMPLIFIED)  = 2052"
    "|CHINESE(TRADITIONAL) = 1028|DUTCH(FLEMISH)       = 2067|DUTCH(STANDARD)      = 1043"
    "|PORTUGUESE(PORTUGAL) = 2070|PORTUGUESE(BRAZIL)   = 1046|SERBIAN(LATIN)       = 2074"
    "|SERBIAN(CYRILIC)     = 3098|";

}  // namespace

std::string LanguageNameOf(int languageNumber) {
    const std::string digits = PadLeft(IntToStr(languageNumber), 2, '0');
    const std::string table = kLanguageIdentifiers;
    const int count = SUB::ItemCount(table);
    for (int i = 0; i < count; ++i) {
        const std::string item = SUB::GetItem(table, i, "");
        if (item.find(digits) == std::string::npos) continue;
        const size_t equals = item.find('=');
        return equals == std::string::npos ? std::string() : Trim(item.substr(0, equals));
    }
    return std::string();
}

int PrimaryLanguageOf(uint32_t localeId) { return localeId == 0 ? 9 : int(localeId & 0x3FF); }

std::string SystemLanguageName() { return LanguageNameOf(PrimaryLanguageOf(ThreadLocaleId())); }

#include "package/Language.h"

#include "package/SLangId.h"
#include "utils/Text.h"
#include "utils/VSUB.h"

namespace {

std::string g_selectedLanguage;
std::string (*g_systemLanguageName)() = SystemLanguageName;

}  // namespace

std::string FindLanguageIn(const std::string& languageBlock, const std::string& name) {
    const int count = SUB::ItemCount(languageBlock);
    for (int i = 0; i < count; ++i) {
        const std::string entry = SUB::GetItem(languageBlock, i, "");
        if (SameTextTrimmed(SUB::GetItem(entry, 0, ""), name)) return entry;
    }
    if (count == 1) return SUB::GetItem(languageBlock, 0, kNoLanguage);
    return kNoLanguage;
}

std::string ChooseLanguageIn(const std::string& languageBlock, const std::string& systemLanguageName) {
    const std::string entry = FindLanguageIn(languageBlock, systemLanguageName);
    return entry != kNoLanguage ? entry : FindLanguageIn(languageBlock, "English");
}

std::string LanguageEntryText(const std::string& entry, const std::string& key, const std::string& def) {
    return entry.size() > 1 ? SUB::GetValueOf(entry, key, "", def) : def;
}

const std::string& SelectedLanguage() { return g_selectedLanguage; }

const std::string& SelectLanguageOnce(const std::string& languageBlock) {
    if (g_selectedLanguage.empty()) g_selectedLanguage = ChooseLanguageIn(languageBlock, g_systemLanguageName());
    return g_selectedLanguage;
}

void RestartLanguageSelection(std::string (*systemLanguageName)()) {
    g_selectedLanguage.clear();
    g_systemLanguageName = systemLanguageName ? systemLanguageName : SystemLanguageName;
}

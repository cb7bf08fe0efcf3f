// Language identifiers: the system's language number and the language names that the setup
// file's language table uses.
#pragma once
#include <cstdint>
#include <string>

// The name of a Windows language number (9 -> "ENGLISH", 52 -> "CHINESE(SIMPLIFIED)"), or an
// empty text. The number, written with at least two digits, is searched as a plain substring
// of each item of the identifier table, so a primary language number also matches inside a
// four-digit full identifier when no earlier item holds it.
std::string LanguageNameOf(int languageNumber);

// The primary language number of a locale identifier: its low 10 bits, or 9 (English) when
// the system reports no locale (0). 0x0C0A (Spanish, modern sort) gives 10.
int PrimaryLanguageOf(uint32_t localeId);

// The calling thread's locale identifier (0 where the platform has none).
uint32_t ThreadLocaleId();

// LanguageNameOf the calling thread's primary language.
std::string SystemLanguageName();

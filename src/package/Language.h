// The language table of a setup file and the process's one choice of language.
//
// The table (the first header block) is a delimited list with the separator 0x02; each item is
// a language entry, itself a delimited list with the separator 0x01 whose item 0 is the
// language's name and whose other items are key=text pairs:
//   02 | 01 English 01 s0=Tarvel Setup 01 Charset=0 01 | 02 | 01 Spanish 01 s0=... 01 | 02
// The process chooses one entry on its first text lookup (the system's language, else
// English) and reads every later text from that entry, whichever setup file asks.
#pragma once
#include <string>

constexpr char kLanguageBlockSeparator = '\x02';
constexpr char kLanguageEntrySeparator = '\x01';
constexpr const char* kNoLanguage = "*";  // the choice when no entry fits

// The entry whose name equals `name` (both trimmed, without regard to case); the only entry
// when the block holds exactly one, whatever its name; otherwise "*".
std::string FindLanguageIn(const std::string& languageBlock, const std::string& name);

// The entry of the system's language, else the English one, else "*".
std::string ChooseLanguageIn(const std::string& languageBlock, const std::string& systemLanguageName);

// The text of `key` (without regard to case) in a language entry. A key present with an empty
// text gives the empty text; a missing key, or no entry at all ("*" or empty), gives `def`.
std::string LanguageEntryText(const std::string& entry, const std::string& key, const std::string& def);

// The process-wide choice: empty until the first lookup, then the chosen entry or "*".
const std::string& SelectedLanguage();

// The choice, made from `languageBlock` when none has been made yet in this process.
const std::string& SelectLanguageOnce(const std::string& languageBlock);

// For tests: forgets the choice, as in a new process, and from now on takes the system's
// language name from `systemLanguageName` (nullptr: SystemLanguageName, the thread locale).
void RestartLanguageSelection(std::string (*systemLanguageName)());

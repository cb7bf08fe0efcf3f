// The language tables that tvpack writes into a setup's language block: the built-in English,
// Portuguese(Brazil) and Spanish tables, table files that add or replace languages, and the
// block itself. The block is a list separated by the byte 0x02 whose items are language
// entries; an entry is a list separated by 0x01: the language's name, then key=text items.
#pragma once
#include <string>
#include <utility>
#include <vector>

struct LanguageTable {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Texts;  // key, text (ANSI bytes)
};

// English carries every key with the stub's own default texts (with the upper-case "<P>"
// after the question in "s11"); the other two are our translations, in Windows-1252.
std::vector<LanguageTable> BuiltInLanguageTables();

// A table file: one [section] per language, named as the language, with key=text lines.
// The texts are taken byte for byte (the ANSI code page of the language); a file that starts
// with the UTF-8 byte order mark is converted to Windows-1252 instead.
bool ReadLanguageFile(const std::string& path, std::vector<LanguageTable>& tables, std::string& error);
bool ParseLanguageTables(const std::string& text, std::vector<LanguageTable>& tables, std::string& error);

// Replaces the tables of `base` that `extra` names (names compared trimmed and without
// regard to case, as the stub compares them) and appends the others.
void MergeLanguageTables(std::vector<LanguageTable>& base, const std::vector<LanguageTable>& extra);

// Keeps the named tables, in the order named; false when a name has no table.
bool SelectLanguageTables(std::vector<LanguageTable>& tables, const std::vector<std::string>& names,
                          std::string& error);

// The language block. False when there is no table, or a name, key or text holds a byte the
// block uses as a separator (0x00, 0x01, 0x02) or a key holds "=".
bool LanguageBlockOf(const std::vector<LanguageTable>& tables, std::string& block, std::string& error);

// UTF-8 text to Windows-1252 where the two agree (ASCII and U+00A0..U+00FF); false for any
// other character or for text that is not UTF-8.
bool AnsiFromUtf8(const std::string& utf8, std::string& ansi);

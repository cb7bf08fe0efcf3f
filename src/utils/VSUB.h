// Delimited lists: a text whose first character is the separator and whose items each end
// with it, such as "|Error|Attention|Confirm|". Every unit reads and writes such lists only
// through SUB, so the separator can travel with the data.
#pragma once
#include <cstdint>
#include <string>

class SUB {
public:
    SUB() = delete;

    static int ItemCount(const std::string& list);
    // Item `index` (0-based), or `def` when it is missing or empty.
    static std::string GetItem(const std::string& list, int index, const std::string& def);
    static int64_t GetItemInt(const std::string& list, int index, int64_t def);
    // Value of the first "name=value" item. A blank after the separator and a blank before
    // "=" are tolerated; the value is not trimmed otherwise.
    static std::string GetValueOf(const std::string& list, const std::string& name,
                                  const std::string& valueWhenEmpty, const std::string& def);
    // The list with item `index` replaced (the list grows by empty items when needed). When
    // the new text holds the separator, another separator is chosen for the whole list.
    static std::string SetItem(const std::string& list, int index, const std::string& item);
    // First of "|*^!~@#$&" that does not occur in `text`; NUL when all of them do.
    static char ChooseSeparator(const std::string& text);
};

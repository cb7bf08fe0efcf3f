// The command line of tvpack:
//
//   tvpack build --stub FILE --desc FILE [--files FOLDER] --out FILE
//                [--level 0-9] [--max-entry SIZE] [--disk-size SIZE] [--launcher]
//   tvpack inspect FILE...
//   tvpack verify FILE...
//   tvpack token PLAIN | tvpack token --descramble TEXT
//   tvpack inform --token PLAIN (--message TEXT | --message-file FILE) [--scrambled] --out FILE
//
// Exit codes: 0 done, 1 a failure or a fault found (explained on the error stream), 2 a
// command line that tvpack does not understand.
#pragma once
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

int RunTvpack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// "65536", "64K", "64M", "2G" (binary multiples) to bytes; false for anything else.
bool ParseByteSize(const std::string& text, uint64_t& bytes);

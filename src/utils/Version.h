#pragma once
#include <string>

// The fixed file version of a file's version resource as "a.b.c.d" (empty file name = the
// running executable); empty when the file has no version resource.
std::string GetFileVersionText(const std::string& fileName);

// The stub executable at the start of every setup: checked before use, and given per build
// its 64 upper-case letters at 0x90 and the 61 bytes of its build-identity text (between the
// markers "RAMAT*gan" and "KFAR*saba"), so that no two builds are alike.
#pragma once
#include <string>

constexpr size_t kIdentityTextSize = 61;

// Position of the identity text's 61 bytes, or std::string::npos when the markers are
// missing, malformed or found twice.
size_t FindBuildIdentity(const std::string& image);

// Checks that `image` is a bare stub ("MZ", "PE" at 0x100, the identity text, no package
// appended) and writes this build's letters and identity into it.
bool PrepareStub(std::string& image, std::string& error);

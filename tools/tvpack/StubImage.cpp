#include "StubImage.h"

#include <ctime>

#include "package/PackageTrailer.h"
#include "utils/Random.h"

namespace {

const std::string kIdentityStart = "RAMAT*gan";
const std::string kIdentityEnd = "KFAR*saba";

char RandomLetter() { return char('A' + RandomBetween(0, 25)); }

char RandomLetterOrDigit() {
    const int64_t pick = RandomBetween(0, 35);
    return pick < 26 ? char('A' + pick) : char('0' + pick - 26);
}

// "TVPACK yyyymmdd-hhmmss " (UTC) and random letters and digits up to 61 bytes.
std::string NewIdentity() {
    char stamp[32] = "TVPACK ";
    const std::time_t now = std::time(nullptr);
    if (const std::tm* utc = std::gmtime(&now)) std::strftime(stamp, sizeof stamp, "TVPACK %Y%m%d-%H%M%S ", utc);
    std::string identity = stamp;
    while (identity.size() < kIdentityTextSize) identity += RandomLetterOrDigit();
    return identity;
}

bool IsAllZero(const std::string& image, size_t from, size_t to) {
    for (size_t i = from; i < to; ++i)
        if (image[i] != '\0') return false;
    return true;
}

bool EndsWithTrailer(const std::string& image) {
    if (image.size() < kTrailerSize) return false;
    const auto* end = reinterpret_cast<const uint8_t*>(image.data() + image.size());
    return GetLE32(end - 4) == kTrailerSize && GetLE32(end - kTrailerSize + 12) == kPackageMagic;
}

}  // namespace

size_t FindBuildIdentity(const std::string& image) {
    const size_t start = image.find(kIdentityStart);
    if (start == std::string::npos || image.find(kIdentityStart, start + 1) != std::string::npos) return std::string::npos;
    const size_t text = start + kIdentityStart.size();
    if (image.compare(text + kIdentityTextSize, kIdentityEnd.size(), kIdentityEnd) != 0) return std::string::npos;
    return text;
}

bool PrepareStub(std::string& image, std::string& error) {
    if (image.size() < kPEHeaderOffset + 2 || image.compare(0, 2, "MZ") != 0 || image.compare(kPEHeaderOffset, 2, "PE") != 0)
        return error = "not a stub executable (\"MZ\" and \"PE\" at 0x100 expected)", false;
    if (!IsAllZero(image, kDataEndHighOffset, kPEHeaderOffset) || EndsWithTrailer(image))
        return error = "already carries a package: build from the bare stub", false;
    const size_t identity = FindBuildIdentity(image);
    if (identity == std::string::npos) return error = "no build-identity text: not a stub of this suite", false;

    for (size_t i = 0; i < kBuilderLettersSize; ++i) image[kBuilderLettersOffset + i] = RandomLetter();
    image.replace(identity, kIdentityTextSize, NewIdentity());
    return true;
}

#include <gtest/gtest.h>

#include "Processes.h"
#include "utils/Version.h"

namespace {

TEST(GetFileVersionText, ReadsTheFixedFileVersion) {
    EXPECT_EQ(GetFileVersionText(e2e::BinDir() + "tvstub.exe"), "1.0.0.1");
    EXPECT_EQ(GetFileVersionText(e2e::BinDir() + "missing.exe"), "");
    EXPECT_EQ(GetFileVersionText(""), "");  // the test program itself has no version resource
}

}  // namespace

#include <gtest/gtest.h>

#include <windows.h>

#include "SetupFileWriter.h"
#include "TempDir.h"
#include "package/Checksum.h"
#include "package/PackX.h"

namespace {

TEST(ClusterSize, ComesFromTheVolumeRootOfThePath) {
    const int64_t cluster = ClusterSize("C:\\Windows\\anything that need not exist");
    EXPECT_GE(cluster, 512);
    EXPECT_EQ(cluster & (cluster - 1), 0) << cluster << " is not a power of two";
    EXPECT_EQ(ClusterSize("C:\\"), cluster);
}

TEST(ClusterSize, IsZeroWhenTheRootCannotBeQueried) {
    EXPECT_EQ(ClusterSize("\\\\no-such-server\\share\\dir"), 0);
    EXPECT_EQ(ClusterSize("Q:\\"), 0) << "no drive Q: in the test prefix";
}

TEST(RequiredSpace, PicksTheSpaceTableElementOfTheTargetsVolume) {
    fixture::SetupImage image;
    image.headerBlocks = {"\x02\x01" "English\x01\x02", "|||||"};
    image.trailer.SpaceRequired = {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008};
    fixture::TempDir dir;
    ASSERT_TRUE(fixture::WriteBinaryFile(dir.File("setup.exe"), fixture::Build(image)));
    const TGFileInfo info(dir.File("setup.exe"));
    EXPECT_EQ(info.RequiredSpace("\\\\no-such-server\\share"), 1000.0);
    EXPECT_EQ(info.RequiredSpace("C:\\TEMP"), SpaceForClusterSize(info.Trailer().SpaceRequired, ClusterSize("C:\\")));
    EXPECT_GT(info.RequiredSpace("C:\\TEMP"), 1000.0);
}

}  // namespace

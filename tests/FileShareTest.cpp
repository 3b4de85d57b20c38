// Windows sharing rules between opens of one process.
#include "FileShare.h"
#include "TestSupport.h"

#include <fcntl.h>
#include <gtest/gtest.h>

using namespace tillscribe;

namespace {

struct Open {
    int flags;
    ShareAccess access;
    ShareMode share;
};

// The opens the programs make.
const Open kCaptureWriter{O_RDWR | O_CREAT, kAccessReadWrite, kShareReadWrite};
const Open kInUseTest{O_RDONLY, kAccessRead, kShareRead};
const Open kViewerRead{O_RDONLY, kAccessRead, kShareNone};
const Open kSaveAs{O_WRONLY | O_CREAT | O_TRUNC, kAccessWrite, kShareNone};

struct Case {
    const char *name;
    Open first;
    Open second;
    bool secondAllowed;
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << c.name;
}

class Sharing : public ::testing::TestWithParam<Case> {};

TEST_P(Sharing, SecondOpenWhileFirstHeld)
{
    const Case &c = GetParam();
    test::TempDir dir;
    const std::string name = dir / "f.txt";
    test::WriteFile(name, "data");
    SharedOpenResult first = OpenShared(name, c.first.flags, c.first.access, c.first.share);
    ASSERT_TRUE(first.fd);
    SharedOpenResult second = OpenShared(name, c.second.flags, c.second.access, c.second.share);
    EXPECT_EQ(static_cast<bool>(second.fd), c.secondAllowed);
    EXPECT_EQ(second.sharingViolation, !c.secondAllowed);
    first.fd.reset();
    // Closing ends the declaration.
    EXPECT_TRUE(OpenShared(name, c.second.flags, c.second.access, c.second.share).fd);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Opens, Sharing, ::testing::Values(
    Case{"InUseTestRefusedWhileCapturing", kCaptureWriter, kInUseTest, false},
    Case{"ViewerRefusedWhileCapturing", kCaptureWriter, kViewerRead, false},
    Case{"SaveAsRefusedWhileCapturing", kCaptureWriter, kSaveAs, false},
    Case{"TwoCaptureWritersShare", kCaptureWriter, kCaptureWriter, true},
    Case{"TwoInUseTestsShareReading", kInUseTest, kInUseTest, true},
    Case{"CaptureRefusedWhileInUseTestDeniesWriting", kInUseTest, kCaptureWriter, false},
    Case{"CaptureRefusedWhileViewerReads", kViewerRead, kCaptureWriter, false},
    Case{"InUseTestRefusedWhileViewerReads", kViewerRead, kInUseTest, false}
), test::CaseName<Case>);
// clang-format on

TEST(Sharing, RefusedTruncatingOpenLeavesContents)
{
    test::TempDir dir;
    const std::string name = dir / "f.txt";
    test::WriteFile(name, "journal");
    SharedOpenResult viewer = OpenShared(name, O_RDONLY, kAccessRead, kShareNone);
    ASSERT_TRUE(viewer.fd);
    EXPECT_FALSE(OpenShared(name, O_RDWR | O_TRUNC, kAccessReadWrite, kShareReadWrite).fd);
    EXPECT_EQ(test::ReadFile(name), "journal");
}

} // namespace

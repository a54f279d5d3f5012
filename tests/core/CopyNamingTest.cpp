#include <gtest/gtest.h>

#include <set>
#include <string>

#include "RowName.h"
#include "output/CopyNaming.h"

namespace velloran {
namespace {

using test::PrintTo;

struct TargetCase {
    const char* rowName;
    const char* chosen;
    const char* folder;
    const char* fileName;
};

class JpegTargetTest : public ::testing::TestWithParam<TargetCase> {};

TEST_P(JpegTargetTest, FolderAndBaseNamePlusJpg) {
    JpegTarget t = JpegTargetFor(GetParam().chosen);
    EXPECT_EQ(t.folder, GetParam().folder);
    EXPECT_EQ(t.fileName, GetParam().fileName);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, JpegTargetTest,
    ::testing::Values(
        TargetCase{"plain", "/charts/chart.jpg", "/charts/", "chart.jpg"},
        TargetCase{"first_dot_ends_the_base", "/charts/my.chart.jpg", "/charts/", "my.jpg"},
        TargetCase{"folder_with_a_dot", "/first.last/chart.jpg", "/first.last/", "chart.jpg"},
        TargetCase{"no_extension", "/charts/chart", "/charts/", "chart.jpg"},
        TargetCase{"other_extension", "/charts/chart.png", "/charts/", "chart.jpg"},
        TargetCase{"root_folder", "/chart.JPG", "/", "chart.jpg"},
        TargetCase{"bare_name", "chart.jpg", "", "chart.jpg"}),
    [](const auto& info) { return std::string(info.param.rowName); });

// A folder whose files are the given names.
auto Existing(std::set<std::string> files) {
    return [files = std::move(files)](const std::string& path) { return files.count(path) > 0; };
}

TEST(NumberedCopyPath, FreeNameIsUsedAsItIs) {
    EXPECT_EQ(NumberedCopyPath("/charts", "chart.jpg", Existing({})), "/charts/chart.jpg");
    EXPECT_EQ(NumberedCopyPath("/charts/", "chart.jpg", Existing({})), "/charts/chart.jpg");
}

TEST(NumberedCopyPath, SavingThreeTimesGivesNumberedCopies) {
    std::set<std::string> folder;
    std::vector<std::string> written;
    for (int i = 0; i < 3; ++i) {
        auto path = NumberedCopyPath("/charts", "chart.jpg", Existing(folder));
        ASSERT_TRUE(path);
        written.push_back(*path);
        folder.insert(*path);
    }
    EXPECT_EQ(written, (std::vector<std::string>{"/charts/chart.jpg", "/charts/chart_001.jpg",
                                                 "/charts/chart_002.jpg"}));
}

TEST(NumberedCopyPath, LastFreeNumberAndThenNothing) {
    std::set<std::string> folder = {"/c/chart.jpg"};
    for (int n = 1; n <= 998; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "/c/chart_%03d.jpg", n);
        folder.insert(name);
    }
    EXPECT_EQ(NumberedCopyPath("/c", "chart.jpg", Existing(folder)), "/c/chart_999.jpg");
    folder.insert("/c/chart_999.jpg");
    EXPECT_EQ(NumberedCopyPath("/c", "chart.jpg", Existing(folder)), std::nullopt);
}

TEST(NumberedCopyPath, DoubledSeparatorsInTheFolderAreReduced) {
    EXPECT_EQ(NumberedCopyPath("//charts//2024/", "a.jpg", Existing({})), "/charts/2024/a.jpg");
    EXPECT_EQ(NumberedCopyPath("/charts/", "a.jpg", Existing({"/charts/a.jpg"})),
              "/charts/a_001.jpg");
}

TEST(TooManyCopies, MessageAndTitleTexts) {
    EXPECT_EQ(TooManyCopiesText("chart.jpg"), "There are too many Copies of this file  chart.jpg");
    EXPECT_EQ(TooManyCopiesTitle("chart.jpg"), " UNABLE  TO  CREATE  NEW  FILEchart.jpg");
}

}  // namespace
}  // namespace velloran

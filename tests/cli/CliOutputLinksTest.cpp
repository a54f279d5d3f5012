// velloran-cli's -o through links: the name given is checked for its ending (.svg, .csv, vlr), so
// the file a link leads to must be of the same kind, or it is not replaced; a file with other
// names (hard links) is not replaced either, since a new file would part them.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../core/RowName.h"
#include "CliSamples.h"
#include "cli/Cli.h"

namespace velloran {
namespace {

using test::PrintTo;
namespace fs = std::filesystem;

class CliOutputLinks : public test::CliTwoReadings {
protected:
    const char* FolderName() const override { return "velloran-cli-links"; }
    std::string Path(const std::string& name) const { return m_folder->Path(name); }
    std::string Bytes(const std::string& name) const { return test::ReadFileBytes(Path(name)); }

    // A births file of one row for batch.
    std::string Births() const {
        const std::string path = Path("births.csv");
        test::WriteFileBytes(path,
                             "name,date,time,zone,lat,lon,dst,city,state,country\n"
                             "Ann,1980-03-05,7:05,12,28:00N,77:12E,no,Delhi,Delhi,India\n");
        return path;
    }
};

enum class Command { Wheel, Export, Batch, New };

struct LinkCase {
    const char* rowName;
    Command command;
    const char* output;  // the link -o names
    const char* target;  // the file it leads to: "ravi.vlr" or a file of the test's
};

class CliLinkedOutput : public CliOutputLinks, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(CliLinkedOutput, ALinkToAFileOfAnotherKindIsNotReplaced) {
    const LinkCase& c = GetParam();
    if (!fs::exists(Path(c.target))) test::WriteFileBytes(Path(c.target), "precious\n");
    const std::string before = Bytes(c.target);
    fs::create_symlink(c.target, Path(c.output));
    const std::string out = Path(c.output);
    std::vector<std::string> args;
    switch (c.command) {
        case Command::Wheel:
            args = {"wheel", ann, "-o", out};
            break;
        case Command::Export:
            args = {"export", ann, "-o", out};
            break;
        case Command::Batch:
            args = {"batch", Births(), "-o", out};
            break;
        case Command::New:
            args = test::DelhiNewArgs(out);
            break;
    }
    EXPECT_EQ(Run(args), kExitFailure);
    EXPECT_NE(m_err.str().find("a file of another kind; not replaced"), std::string::npos)
        << m_err.str();
    EXPECT_TRUE(Bytes(c.target) == before) << c.target << " was replaced";
    EXPECT_TRUE(fs::is_symlink(out));
}

INSTANTIATE_TEST_SUITE_P(
    Outputs, CliLinkedOutput,
    ::testing::Values(LinkCase{"wheel_svg_to_a_reading", Command::Wheel, "link.svg", "ravi.vlr"},
                      LinkCase{"wheel_svg_to_a_text", Command::Wheel, "link.svg", "notes.txt"},
                      LinkCase{"export_to_a_reading", Command::Export, "ann.txt", "ravi.vlr"},
                      LinkCase{"batch_csv_to_a_text", Command::Batch, "out.csv", "notes.txt"},
                      LinkCase{"batch_csv_to_no_ending", Command::Batch, "out.csv", "profile"},
                      LinkCase{"new_vlr_to_a_picture", Command::New, "a.vlr", "pic.svg"}),
    [](const auto& info) { return std::string(info.param.rowName); });

// A link to a file of the same kind is the user's own arrangement: the file it leads to gets the
// new bytes and the link stays.
TEST_F(CliOutputLinks, ALinkToAFileOfTheSameKindIsFollowed) {
    fs::create_directory(Path("pictures"));
    fs::create_symlink("pictures/ann.SVG", Path("ann.svg"));
    ASSERT_EQ(Run({"wheel", ann, "-o", Path("ann.svg")}), kExitOk) << m_err.str();
    EXPECT_TRUE(fs::is_symlink(Path("ann.svg")));
    EXPECT_NE(Bytes("pictures/ann.SVG").find("<svg"), std::string::npos);

    fs::create_symlink("ravi.vlr", Path("other.vlr"));
    ASSERT_EQ(Run(test::DelhiNewArgs(Path("other.vlr"))), kExitOk) << m_err.str();
    EXPECT_TRUE(fs::is_symlink(Path("other.vlr")));
    EXPECT_EQ(Bytes("ravi.vlr"), Bytes("other.vlr"));
}

// An output with another name elsewhere (a hard link) is refused and both names keep their bytes.
TEST_F(CliOutputLinks, AHardLinkedOutputIsRefused) {
    test::WriteFileBytes(Path("kept.svg"), "<svg/>");
    fs::create_hard_link(Path("kept.svg"), Path("out.svg"));
    EXPECT_EQ(Run({"wheel", ann, "-o", Path("out.svg")}), kExitFailure);
    EXPECT_NE(m_err.str().find("has other names (hard links)"), std::string::npos) << m_err.str();
    // Compared without printing: a replaced file would be a whole wheel.
    EXPECT_TRUE(Bytes("kept.svg") == "<svg/>") << "kept.svg was replaced";
    EXPECT_TRUE(Bytes("out.svg") == "<svg/>") << "out.svg was replaced";

    test::WriteFileBytes(Path("kept.txt"), "notes");
    fs::create_hard_link(Path("kept.txt"), Path("ann.txt"));
    EXPECT_EQ(Run({"export", ann, "-o", Path("ann.txt")}), kExitFailure);
    EXPECT_EQ(Bytes("ann.txt"), "notes");
}

}  // namespace
}  // namespace velloran

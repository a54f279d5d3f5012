// WriteWholeFileFrom: a file written from pieces as they are made replaces the earlier one only
// when every piece is in it.

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "output/WholeFile.h"
#include "support/TempFolder.h"

namespace velloran {
namespace {

// Hands the pieces to put one after another, then gives up with "stopped" after `giveUpAfter`
// of them, or throws out of memory there when `throws`.
FileFiller Pieces(std::vector<std::string> pieces, std::size_t giveUpAfter, bool throws = false) {
    return [pieces, giveUpAfter, throws](const PieceSink& put, std::string& reason) {
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (i == giveUpAfter) {
                if (throws) throw std::bad_alloc();
                reason = "stopped";
                return false;
            }
            if (!put(pieces[i])) return false;
        }
        return true;
    };
}

TEST(WholeFileFrom, WritesThePiecesOrKeepsWhatWasThere) {
    test::TempFolder folder("velloran-wholefile-from");
    const std::string path = folder.Path("out.csv");
    test::WriteFileBytes(path, "earlier");
    std::string reason;
    const std::vector<std::string> pieces = {"a,b\r\n", std::string(1 << 20, 'x'), "\r\nend"};

    EXPECT_FALSE(WriteWholeFileFrom(path, Pieces(pieces, 2), reason));
    EXPECT_EQ(reason, "stopped");
    EXPECT_EQ(test::ReadFileBytes(path), "earlier");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"out.csv"});

    EXPECT_THROW(WriteWholeFileFrom(path, Pieces(pieces, 1, true), reason), std::bad_alloc);
    EXPECT_EQ(test::ReadFileBytes(path), "earlier");
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"out.csv"});

    ASSERT_TRUE(WriteWholeFileFrom(path, Pieces(pieces, pieces.size()), reason)) << reason;
    EXPECT_EQ(test::ReadFileBytes(path), pieces[0] + pieces[1] + pieces[2]);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"out.csv"});
}

}  // namespace
}  // namespace velloran

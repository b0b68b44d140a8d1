// The block writer behind both logo files: what reaches the disk, and how a failure is told.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "platform/bmpfile.h"
#include "support/kaza_test.h"

namespace kaza::platform {
namespace {

class BlockWriter : public ::testing::Test {
protected:
    void SetUp() override { dir_ = test::ScratchFolder("blockwriter"); }
    void TearDown() override { test::RemoveTree(dir_); }
    std::string dir_;
};

TEST_F(BlockWriter, PiecesReachTheFileInOrderAcrossBlocks) {
    // Three megabytes and a bit, in pieces that do not divide the block: several flushes.
    const size_t piece = 1000, pieces = 3200;
    const std::string path = dir_ + "\\big.bin";
    std::string expected;
    {
        BlockFileWriter file(path, piece * pieces, piece);
        for (size_t i = 0; i < pieces; ++i) {
            uint8_t* room = file.Reserve(piece);
            ASSERT_NE(room, nullptr) << i;
            std::string mine(piece, '\0');
            for (size_t k = 0; k < piece; k += 97) mine[k] = static_cast<char>(i + k);
            std::copy(mine.begin(), mine.end(), room);
            expected += mine;
        }
        ASSERT_TRUE(file.Finish());
    }
    const std::string written = test::ReadBytes(path);
    ASSERT_EQ(written.size(), expected.size());
    EXPECT_TRUE(written == expected);
}

TEST_F(BlockWriter, AFileThatCannotBeOpenedFailsWithTheSystemsCode) {
    BlockFileWriter file(dir_ + "\\missing\\x.bmp", 100, 54);
    EXPECT_EQ(file.Reserve(54), nullptr);
    EXPECT_EQ(file.Finish().error(), static_cast<unsigned long>(ERROR_PATH_NOT_FOUND));
}

TEST_F(BlockWriter, APieceLargerThanPromisedStopsTheWriteAndKeepsTheFirstError) {
    BlockFileWriter file(dir_ + "\\small.bin", 100, 10);
    ASSERT_NE(file.Reserve(10), nullptr);
    EXPECT_EQ(file.Reserve(200), nullptr);
    EXPECT_EQ(file.Reserve(10), nullptr);  // nothing more after a failure
    EXPECT_EQ(file.Finish().error(), static_cast<unsigned long>(ERROR_INVALID_PARAMETER));
}

TEST_F(BlockWriter, HeadersDescribeABottomUpFile) {
    uint8_t h[54];
    BmpHeaders(h, 210, 106, 8, 1024, 22472);
    auto u32 = [&](int at) { return uint32_t(h[at]) | uint32_t(h[at + 1]) << 8 | uint32_t(h[at + 2]) << 16 | uint32_t(h[at + 3]) << 24; };
    EXPECT_EQ(h[0], 'B');
    EXPECT_EQ(h[1], 'M');
    EXPECT_EQ(u32(2), 23550u);   // the whole file
    EXPECT_EQ(u32(10), 1078u);   // where the pixels start
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(u32(18), 210u);
    EXPECT_EQ(u32(22), 106u);    // positive: rows run bottom-up
    EXPECT_EQ(h[26] | h[27] << 8, 1);
    EXPECT_EQ(h[28] | h[29] << 8, 8);
    EXPECT_EQ(u32(30), 0u);      // uncompressed
    EXPECT_EQ(u32(34), 22472u);
}

}  // namespace
}  // namespace kaza::platform

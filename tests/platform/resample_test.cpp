// The resampler behind the fitted logo, against values worked out by hand.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/resample.h"

namespace kaza::platform {
namespace {

// Pixels with the given blue values, green 0x33, red the blue value's complement, and a top
// byte the resampler must not carry over.
std::vector<uint32_t> Ramp(const std::vector<int>& blue) {
    std::vector<uint32_t> px;
    for (int b : blue) px.push_back(0xFF000000u | uint32_t(255 - b) << 16 | 0x3300u | uint32_t(b));
    return px;
}

std::vector<int> Blue(const std::vector<uint32_t>& px) {
    std::vector<int> v;
    for (uint32_t p : px) {
        EXPECT_EQ(p >> 24, 0u);
        EXPECT_EQ((p >> 8) & 0xFF, 0x33u);
        EXPECT_EQ(((p >> 16) & 0xFF) + (p & 0xFF), 255u);  // every channel resampled alike
        v.push_back(static_cast<int>(p & 0xFF));
    }
    return v;
}

// One row across (w × 1) or one column down (1 × w), so that both axes are checked.
std::vector<int> Stretch(const std::vector<int>& blue, int to, bool down) {
    std::vector<uint32_t> src = Ramp(blue), dst(static_cast<size_t>(to));
    int n = static_cast<int>(src.size());
    if (down) StretchPixels(src.data(), 1, n, 1, dst.data(), 1, to, 1);
    else StretchPixels(src.data(), n, 1, n, dst.data(), to, 1, to);
    return Blue(dst);
}

TEST(Resample, RampEnlargedInterpolatesBetweenPixelCentresAndHoldsTheEdges) {
    // Centres of 4 source pixels over 8: each lies between two destination centres, a quarter
    // of the way from one and three quarters from the other.
    for (bool down : {false, true}) {
        SCOPED_TRACE(down ? "down" : "across");
        EXPECT_EQ(Stretch({0, 80, 160, 240}, 8, down), (std::vector<int>{0, 20, 60, 100, 140, 180, 220, 240}));
        EXPECT_EQ(Stretch({0, 200}, 4, down), (std::vector<int>{0, 50, 150, 200}));
        EXPECT_EQ(Stretch({90}, 3, down), (std::vector<int>{90, 90, 90}));
    }
}

TEST(Resample, RampShrunkAveragesTheAreaEachPixelCovers) {
    for (bool down : {false, true}) {
        SCOPED_TRACE(down ? "down" : "across");
        EXPECT_EQ(Stretch({0, 20, 60, 100, 140, 180, 220, 240}, 4, down), (std::vector<int>{10, 80, 160, 230}));
        // Three into two: the middle pixel is shared, a third of each destination pixel.
        EXPECT_EQ(Stretch({0, 90, 180}, 2, down), (std::vector<int>{30, 150}));
        EXPECT_EQ(Stretch({10, 20, 30, 40, 50}, 1, down), (std::vector<int>{30}));
        // Same size: unchanged.
        EXPECT_EQ(Stretch({7, 200, 13}, 3, down), (std::vector<int>{7, 200, 13}));
    }
}

TEST(Resample, BothAxesEnlargedTogetherAndStridesRespected) {
    // 2 × 2 to 4 × 4, the source rows padded to 3 pixels and the destination rows to 5.
    std::vector<uint32_t> src = Ramp({0, 160, 99, 80, 240, 99});
    std::vector<uint32_t> dst(4 * 5, 0xDEADBEEF);
    StretchPixels(src.data(), 2, 2, 3, dst.data(), 4, 4, 5);
    const int expected[4][4] = {{0, 40, 120, 160}, {20, 60, 140, 180}, {60, 100, 180, 220}, {80, 120, 200, 240}};
    for (int y = 0; y < 4; ++y) {
        std::vector<uint32_t> row(dst.begin() + y * 5, dst.begin() + y * 5 + 4);
        EXPECT_EQ(Blue(row), std::vector<int>(expected[y], expected[y] + 4)) << "row " << y;
        EXPECT_EQ(dst[size_t(y) * 5 + 4], 0xDEADBEEFu) << "padding of row " << y;
    }
}

TEST(Resample, EmptyImagesLeaveTheDestinationAlone) {
    std::vector<uint32_t> src = Ramp({1, 2}), dst(4, 0xDEADBEEF);
    StretchPixels(src.data(), 0, 1, 2, dst.data(), 4, 1, 4);
    StretchPixels(src.data(), 2, 1, 2, dst.data(), 0, 1, 4);
    StretchPixels(nullptr, 2, 1, 2, dst.data(), 4, 1, 4);
    EXPECT_EQ(dst, std::vector<uint32_t>(4, 0xDEADBEEF));
}

}  // namespace
}  // namespace kaza::platform

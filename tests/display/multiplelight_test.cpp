#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "display/VQtMultipleLightImageDivider.h"

namespace {
std::vector<uint8_t> rows(int height, int rowBytes) {
    std::vector<uint8_t> v(size_t(height) * rowBytes);
    for (int r = 0; r < height; ++r)
        std::fill(v.begin() + size_t(r) * rowBytes, v.begin() + size_t(r + 1) * rowBytes, uint8_t(r));
    return v;
}
} // namespace

TEST(MultipleLight, RowsOfEachLightFormBands) {
    auto img = rows(6, 5);
    VQtMultipleLightImageDivider d;
    d.divide(img.data(), 6, 5, 2);
    // Light 0 rows 0, 2, 4 then light 1 rows 1, 3, 5.
    const uint8_t expect[6] = {0, 2, 4, 1, 3, 5};
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(img[r * 5 + c], expect[r]) << r;
}

TEST(MultipleLight, IncompleteLastGroupStaysAndResultIsAPermutation) {
    auto img = rows(7, 3);
    VQtMultipleLightImageDivider d;
    d.divide(img.data(), 7, 3, 3);
    const uint8_t expect[7] = {0, 3, 1, 4, 2, 5, 6};
    for (int r = 0; r < 7; ++r)
        EXPECT_EQ(img[r * 3], expect[r]) << r;

    // Larger case: every row appears exactly once.
    auto big = rows(250, 4);
    d.divide(big.data(), 250, 4, 7);
    std::vector<int> seen(250, 0);
    for (int r = 0; r < 250; ++r)
        seen[big[r * 4]]++;
    for (int s : seen)
        EXPECT_EQ(s, 1);
}

TEST(MultipleLight, CountsThatDoNothing) {
    auto img = rows(4, 2), orig = img;
    VQtMultipleLightImageDivider d;
    d.divide(img.data(), 4, 2, 0);
    d.divide(img.data(), 4, 2, 1);
    d.divide(img.data(), 4, 2, 5); // more lights than rows
    d.divide(nullptr, 4, 2, 2);
    EXPECT_EQ(img, orig);
}

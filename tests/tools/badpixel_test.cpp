#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "tests/tools/tools_helpers.h"
#include "tools/VQtBadPixelSearch.h"
#include "tools/VQtRedBlackTreeArray.h"

namespace {
using Search = VQtBadPixelSearch;

std::vector<int64_t> keysInOrder(const VQtRedBlackTreeArray& t) {
    std::vector<int64_t> keys;
    for (auto* n = t.getMinRbt(); n; n = t.nextRbt(n))
        keys.push_back(n->key);
    return keys;
}

VQtBadPixelSettings outOfRange(int lo, int hi, int h = 3, int v = 3) {
    VQtBadPixelSettings s;
    s.rangeMode = VQtBadPixelSettings::OutOfRange;
    for (int c = 0; c < 4; ++c) {
        s.minimum[c] = lo;
        s.maximum[c] = hi;
    }
    s.horizontal = h;
    s.vertical = v;
    return s;
}
} // namespace

TEST(RedBlackTreeArray, KeepsInsertionAndKeyOrder) {
    VQtRedBlackTreeArray t;
    ASSERT_TRUE(t.init(5000));
    std::mt19937 rng(7);
    std::vector<int64_t> inserted;
    std::set<int64_t> unique;
    for (int i = 0; i < 4000; ++i) {
        const int64_t k = int64_t(rng() % 3000);
        if (unique.insert(k).second)
            inserted.push_back(k);
        ASSERT_TRUE(t.setAt(k, i % 7));
    }
    ASSERT_EQ(t.getCurrentCount(), int64_t(unique.size()));
    for (size_t i = 0; i < inserted.size(); ++i)
        ASSERT_EQ(t.getAt(int64_t(i))->key, inserted[i]);
    EXPECT_EQ(keysInOrder(t), std::vector<int64_t>(unique.begin(), unique.end()));
    EXPECT_EQ(t.getAt(t.getCurrentCount()), nullptr);
}

TEST(RedBlackTreeArray, ExistingKeyKeepsValuesAndLargestCount) {
    VQtRedBlackTreeArray t;
    ASSERT_TRUE(t.init(4));
    t.setAt(42, 5, 1, 2, 3, 4);
    t.setAt(42, 3, 9, 9, 9, 9);
    t.setAt(42, 8, 9, 9, 9, 9);
    ASSERT_EQ(t.getCurrentCount(), 1);
    EXPECT_EQ(t.getAt(0)->count, 8);
    EXPECT_EQ(t.getAt(0)->values[0], 1);
    EXPECT_EQ(t.getAt(0)->values[3], 4);
}

TEST(RedBlackTreeArray, FullOrUnusableTreeDropsEntries) {
    VQtRedBlackTreeArray t;
    ASSERT_TRUE(t.init(3));
    for (int k = 10; k > 0; --k)
        t.setAt(k, 1);
    EXPECT_EQ(t.getCurrentCount(), 3);
    EXPECT_TRUE(t.isFull());
    EXPECT_EQ(keysInOrder(t), (std::vector<int64_t>{8, 9, 10}));
    EXPECT_TRUE(t.setAt(9, 4)); // an existing key still updates
    VQtRedBlackTreeArray none;
    EXPECT_FALSE(none.init(0));
    EXPECT_FALSE(none.setAt(1, 1));
    EXPECT_EQ(none.getMinRbt(), nullptr);
}

TEST(BadPixelSettings, RangeModes) {
    VQtBadPixelSettings s;
    const struct {
        int mode, v;
        bool bad;
    } cases[] = {{0, 10, false}, {0, 11, true},  {0, 20, false}, {1, 10, true}, {1, 20, true},
                 {1, 21, false}, {2, 10, false}, {2, 9, true},   {2, 21, true}, {3, 10, true},
                 {3, 20, true},  {3, 15, false}, {7, 5, false}};
    for (const auto& c : cases) {
        s.rangeMode = c.mode;
        EXPECT_EQ(s.compareValue(c.v, 10, 20), c.bad) << c.mode << " " << c.v;
    }
    s.rangeMode = 2;
    EXPECT_FALSE(s.compareRed(0, false));
    EXPECT_TRUE(s.compareGray(300)); // the red range, always on
}

TEST(BadPixelSearch, DefectsAtGivenCoordinatesAreFoundExactlyOnce) {
    TestImage img(300, 200, 16, 1);
    img.fill(2000);
    const std::vector<std::pair<int, int>> defects = {{0, 0},     {299, 199}, {17, 5},
                                                      {150, 100}, {20, 5},    {42, 199}};
    for (auto [x, y] : defects)
        img.set(x, y, 0, (x + y) % 2 ? 4095 : 3); // hot and dead pixels
    Search search;
    Search::Results r;
    ASSERT_TRUE(r.init(int64_t(img.width) * img.height));
    // The same frame twice: the union holds each pixel once.
    ASSERT_TRUE(search.evaluate(img.view(), outOfRange(100, 4000), r));
    ASSERT_TRUE(search.evaluate(img.view(), outOfRange(100, 4000), r));
    ASSERT_EQ(r.single.getCurrentCount(), int64_t(defects.size()));
    std::set<int64_t> expected;
    for (auto [x, y] : defects)
        expected.insert(Search::rowKey(y, x));
    std::set<int64_t> found;
    for (int64_t i = 0; i < r.single.getCurrentCount(); ++i) {
        const auto* n = r.single.getAt(i);
        found.insert(n->key);
        EXPECT_EQ(n->count, 1);
        const int x = int(n->key & 0xFFFF), y = int(n->key >> 16);
        EXPECT_EQ(n->values[0], (x + y) % 2 ? 4095 : 3);
        EXPECT_EQ(n->values[1], 0xFFFF);
    }
    EXPECT_EQ(found, expected);
    // Insertion follows the rows.
    for (int64_t i = 1; i < r.single.getCurrentCount(); ++i)
        EXPECT_LT(r.single.getAt(i - 1)->key, r.single.getAt(i)->key);
    EXPECT_EQ(r.single.getAt(0)->key, Search::rowKey(0, 0));
    EXPECT_EQ(r.horizontal.getCurrentCount(), 0);
    EXPECT_EQ(r.vertical.getCurrentCount(), 0);
}

TEST(BadPixelSearch, HorizontalAndVerticalClusters) {
    TestImage img(40, 30, 8, 1);
    img.fill(128);
    for (int x = 10; x < 15; ++x) // a run of 5 in row 7
        img.set(x, 7, 0, 255);
    img.set(30, 7, 0, 255); // a run of 2: too short
    img.set(31, 7, 0, 255);
    for (int y = 26; y < 30; ++y) // a run of 4 down column 3, reaching the last row
        img.set(3, y, 0, 0);
    for (int y = 2; y < 5; ++y) // and one of 3 down column 35
        img.set(35, y, 0, 0);
    Search search;
    Search::Results r;
    ASSERT_TRUE(r.init(int64_t(img.width) * img.height));
    ASSERT_TRUE(search.evaluate(img.view(), outOfRange(10, 250), r));
    EXPECT_EQ(r.single.getCurrentCount(), 5 + 2 + 4 + 3);
    ASSERT_EQ(r.horizontal.getCurrentCount(), 1);
    EXPECT_EQ(r.horizontal.getAt(0)->key, Search::rowKey(7, 10));
    EXPECT_EQ(r.horizontal.getAt(0)->count, 5);
    ASSERT_EQ(r.vertical.getCurrentCount(), 2);
    // Column order: column 3 first, then column 35.
    EXPECT_EQ(r.vertical.getAt(0)->key, Search::columnKey(26, 3));
    EXPECT_EQ(r.vertical.getAt(0)->count, 4);
    EXPECT_EQ(r.vertical.getAt(1)->key, Search::columnKey(2, 35));
    EXPECT_EQ(r.vertical.getAt(1)->count, 3);
}

TEST(BadPixelSearch, FramesKeepTheUnionAndTheLongestRun) {
    TestImage a(20, 10, 8, 1), b(20, 10, 8, 1);
    a.fill(100);
    b.fill(100);
    for (int x = 2; x < 5; ++x)
        a.set(x, 1, 0, 0); // run of 3
    for (int x = 2; x < 8; ++x)
        b.set(x, 1, 0, 0); // the same start, run of 6
    b.set(15, 9, 0, 0);
    Search search;
    Search::Results r;
    ASSERT_TRUE(r.init(2 * 200));
    ASSERT_TRUE(search.evaluate(a.view(), outOfRange(10, 200), r));
    ASSERT_TRUE(search.evaluate(b.view(), outOfRange(10, 200), r));
    EXPECT_EQ(r.single.getCurrentCount(), 7);
    ASSERT_EQ(r.horizontal.getCurrentCount(), 1);
    EXPECT_EQ(r.horizontal.getAt(0)->count, 6);
}

TEST(BadPixelSearch, ColourTestsFollowTheCheckedChannels) {
    // 4 channels, out of range, only Clear checked: bad when sample 3 is outside its range.
    TestImage img(4, 1, 8, 4);
    img.fill(100);
    img.set(1, 0, 3, 250);                      // clear outside
    img.set(2, 0, 0, 250);                      // blue outside, clear fine
    img.set(3, 0, 3, 250), img.set(3, 0, 2, 0); // both
    VQtBadPixelSettings s = outOfRange(50, 200, 2, 2);
    s.enabled[0] = s.enabled[1] = s.enabled[2] = false;
    s.enabled[3] = true;
    Search search;
    Search::Results r;
    ASSERT_TRUE(r.init(4));
    ASSERT_TRUE(search.evaluate(img.view(), s, r));
    ASSERT_EQ(r.single.getCurrentCount(), 2);
    EXPECT_EQ(r.single.getAt(0)->key, Search::rowKey(0, 1));
    EXPECT_EQ(r.single.getAt(0)->values[3], 250);
    EXPECT_EQ(r.single.getAt(1)->key, Search::rowKey(0, 3));
    EXPECT_EQ(r.single.getAt(1)->values[0], 0); // red first
    EXPECT_EQ(r.horizontal.getCurrentCount(), 0);

    // 3 channels, red and green checked: both must be outside.
    TestImage rgb(3, 1, 8, 3);
    rgb.fill(100);
    rgb.set(0, 0, 2, 0);                        // red only
    rgb.set(1, 0, 2, 0), rgb.set(1, 0, 1, 255); // red and green
    rgb.set(2, 0, 0, 0);                        // blue only (unchecked)
    VQtBadPixelSettings s3 = outOfRange(50, 200, 2, 2);
    s3.enabled[2] = false;
    Search::Results r3;
    ASSERT_TRUE(r3.init(3));
    ASSERT_TRUE(search.evaluate(rgb.view(), s3, r3));
    ASSERT_EQ(r3.single.getCurrentCount(), 1);
    EXPECT_EQ(r3.single.getAt(0)->key, Search::rowKey(0, 1));
    EXPECT_EQ(r3.single.getAt(0)->values[3], 0xFFFF);
}

TEST(BadPixelSearch, RectangleLimitsTheSearch) {
    TestImage img(10, 10, 8, 1);
    img.fill(0); // every pixel bad
    VQtBadPixelSettings s = outOfRange(10, 200, 3, 3);
    s.left = 2, s.top = 3, s.right = 4, s.bottom = 5;
    Search search;
    Search::Results r;
    ASSERT_TRUE(r.init(100));
    ASSERT_TRUE(search.evaluate(img.view(), s, r));
    EXPECT_EQ(r.single.getCurrentCount(), 9);
    EXPECT_EQ(r.horizontal.getCurrentCount(), 3);
    EXPECT_EQ(r.vertical.getCurrentCount(), 3);
    EXPECT_EQ(r.single.getAt(0)->key, Search::rowKey(3, 2));
    s.right = 10;
    EXPECT_FALSE(search.evaluate(img.view(), s, r));
}

TEST(BadPixelSearch, ListsStopAtOneHundredThousand) {
    TestImage img(400, 300, 8, 1); // 120000 bad pixels
    VQtBadPixelSettings s = outOfRange(10, 200, 2, 2);
    Search search;
    Search::Results r;
    ASSERT_TRUE(r.init(int64_t(img.width) * img.height));
    ASSERT_TRUE(search.evaluate(img.view(), s, r));
    EXPECT_EQ(r.single.getCurrentCount(), Search::kMaxEntries);
    EXPECT_TRUE(r.overflowed());
    EXPECT_EQ(r.horizontal.getCurrentCount(), 300);
    EXPECT_EQ(r.horizontal.getAt(0)->count, 400);
    EXPECT_EQ(r.vertical.getCurrentCount(), 400);
}

TEST(BadPixelSearch, StoppedPassReportsFailure) {
    TestImage img(10, 10, 8, 1);
    std::atomic<bool> running{false};
    Search search;
    Search::Results r;
    ASSERT_TRUE(r.init(100));
    EXPECT_FALSE(search.evaluate(img.view(), outOfRange(10, 200), r, &running));
}

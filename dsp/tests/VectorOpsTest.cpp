#include "dsp/VectorOps.h"

#include "dsp/tests/TestSignals.h"

#include <gtest/gtest.h>

#include <vector>

namespace dsp {
namespace {

TEST(VectorOps, DotProductKeepsItsSummationOrder)
{
    // The same bits on every machine only hold while the order does: eight running sums over
    // the whole blocks of eight, the rest added to the first, then the sums in turn.
    const auto a = test::whiteNoise(45, 1.0, 3), b = test::whiteNoise(45, 1.0, 4);
    for (int n = 0; n <= 45; ++n) {
        float sums[8] = {};
        const int blocks = n / 8 * 8;
        for (int i = 0; i < blocks; ++i)
            sums[i % 8] += a[i] * b[i];
        for (int i = blocks; i < n; ++i)
            sums[0] += a[i] * b[i];
        float expected = 0.0f;
        for (float s : sums)
            expected += s;
        EXPECT_EQ(dotProduct(a.data(), b.data(), n), expected) << "n " << n;
    }
}

TEST(VectorOps, LagProductsAreTheDotProductsOfEachLag)
{
    const auto x = test::whiteNoise(90, 1.0, 5);
    for (int n : {0, 5, 17, 64, 90}) {
        for (int firstLag : {0, 3, 60}) {
            std::vector<float> r(11, -1.0f);
            lagProducts(x.data(), n, firstLag, 10, r.data());
            for (int i = 0; i < 10; ++i) {
                const int length = n - firstLag - i;
                EXPECT_EQ(r[i], length > 0 ? dotProduct(x.data(), x.data() + firstLag + i, length) : 0.0f)
                    << "n " << n << ", lag " << firstLag + i;
            }
            EXPECT_EQ(r[10], -1.0f);
        }
    }
}

} // namespace
} // namespace dsp

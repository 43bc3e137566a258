#include "choice/crt_random.h"

#include <gtest/gtest.h>

TEST(CrtRandom, TheCStandardExampleSequence) {
    CrtRandom g;
    g.Seed(1);
    for (int expected : {16838, 5758, 10113, 17515, 31051, 5627, 23010, 7419, 16212, 4086})
        EXPECT_EQ(g.Next(), expected);
}

TEST(CrtRandom, JumpingAheadGivesTheValueOfTheLastCall) {
    for (uint32_t seed : {0u, 1u, 1'700'000'000u, 0xFFFFFFFFu}) {
        for (int count : {1, 2, 3, 999, 1000, 4097}) {
            CrtRandom stepped, jumped;
            stepped.Seed(seed);
            jumped.Seed(seed);
            int last = 0;
            for (int i = 0; i < count; ++i) last = stepped.Next();
            EXPECT_EQ(jumped.NextNth(count), last) << seed << " " << count;
            EXPECT_EQ(jumped.Next(), stepped.Next()) << seed << " " << count;
        }
    }
}

#include "TimingSeries.h"

#include <gtest/gtest.h>

namespace {

TimingSeries seriesOf(std::initializer_list<double> samples) {
    TimingSeries series;
    for (const double sample : samples) {
        series.add(sample);
    }
    return series;
}

TEST(TimingSeriesTest, NearestRankPercentilesOfUnsortedSamples) {
    // Ten samples 1..10 in shuffled order: the median is the 5th, p95 the 10th, p90 the 9th.
    const TimingSeries series = seriesOf({7, 3, 10, 1, 9, 2, 8, 4, 6, 5});
    EXPECT_DOUBLE_EQ(series.median(), 5.0);
    EXPECT_DOUBLE_EQ(series.percentile(90.0), 9.0);
    EXPECT_DOUBLE_EQ(series.percentile(95.0), 10.0);
    EXPECT_DOUBLE_EQ(series.max(), 10.0);
    EXPECT_DOUBLE_EQ(series.percentile(0.0), 1.0);
    EXPECT_DOUBLE_EQ(series.total(), 55.0);
    EXPECT_DOUBLE_EQ(series.mean(), 5.5);
}

TEST(TimingSeriesTest, OneSlowSampleInTwentyShowsOnlyInTheMax) {
    TimingSeries series;
    for (int i = 0; i < 19; ++i) {
        series.add(1.0);
    }
    series.add(50.0);
    EXPECT_DOUBLE_EQ(series.median(), 1.0);
    EXPECT_DOUBLE_EQ(series.percentile(95.0), 1.0);
    EXPECT_DOUBLE_EQ(series.max(), 50.0);
}

TEST(TimingSeriesTest, EmptyAndSingleSeries) {
    const TimingSeries empty;
    EXPECT_EQ(empty.count(), 0);
    EXPECT_DOUBLE_EQ(empty.median(), 0.0);
    EXPECT_DOUBLE_EQ(empty.mean(), 0.0);
    const TimingSeries single = seriesOf({4.5});
    EXPECT_DOUBLE_EQ(single.median(), 4.5);
    EXPECT_DOUBLE_EQ(single.percentile(95.0), 4.5);
}

} // namespace

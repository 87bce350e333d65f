#pragma once

#include <vector>

// The durations one measured thing took, in milliseconds, one sample per occurrence.
class TimingSeries {
public:
    explicit TimingSeries(int expectedSamples = 0) {
        samples.reserve(static_cast<std::size_t>(expectedSamples));
    }

    void add(double milliseconds) { samples.push_back(milliseconds); }

    int count() const { return static_cast<int>(samples.size()); }
    double total() const;
    double mean() const;
    double median() const { return percentile(50.0); }
    // Nearest-rank percentile: the smallest sample that at least `percent` of the samples do not exceed.
    double percentile(double percent) const;
    double max() const { return percentile(100.0); }

private:
    std::vector<double> samples;
};

#include "TimingSeries.h"

#include <algorithm>
#include <cmath>
#include <numeric>

double TimingSeries::total() const {
    return std::accumulate(samples.begin(), samples.end(), 0.0);
}

double TimingSeries::mean() const {
    return samples.empty() ? 0.0 : total() / static_cast<double>(samples.size());
}

double TimingSeries::percentile(double percent) const {
    if (samples.empty()) {
        return 0.0;
    }
    std::vector<double> sorted = samples;
    std::sort(sorted.begin(), sorted.end());
    const double rank = std::ceil(percent / 100.0 * static_cast<double>(sorted.size()));
    const std::size_t index =
        static_cast<std::size_t>(std::clamp(rank, 1.0, static_cast<double>(sorted.size()))) - 1;
    return sorted[index];
}

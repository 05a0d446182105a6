// Nearest-rank percentiles: no interpolation, so every reported value was actually observed.
#include "stats.h"

#include <algorithm>
#include <cmath>

double percentile(std::vector<double> sample, double percent) {
    if (sample.empty()) return 0;
    std::sort(sample.begin(), sample.end());
    size_t rank = (size_t)std::ceil(percent / 100.0 * (double)sample.size());
    if (rank < 1) rank = 1;
    if (rank > sample.size()) rank = sample.size();
    return sample[rank - 1];
}

double median(const std::vector<double>& sample) {
    return percentile(sample, 50);
}

double largest(const std::vector<double>& sample) {
    return sample.empty() ? 0 : *std::max_element(sample.begin(), sample.end());
}

// Order statistics of a sample: percentiles by the nearest rank.
#pragma once
#include <vector>

// The value below which `percent` % of the sample lies (nearest rank); 0 for an empty sample.
double percentile(std::vector<double> sample, double percent);
double median(const std::vector<double>& sample);
double largest(const std::vector<double>& sample);

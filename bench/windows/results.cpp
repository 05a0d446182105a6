// Writes measured figures to the results file as they come, and progress to the standard error.
#include "results.h"

#include <cstdio>

namespace {
FILE* resultsFile = nullptr;
}

bool openResults(const std::string& path) {
    resultsFile = std::fopen(path.c_str(), "a");
    return resultsFile != nullptr;
}

void reportText(const std::string& figure, const std::string& text) {
    std::fprintf(stderr, "  %s = %s\n", figure.c_str(), text.c_str());
    if (!resultsFile) return;
    std::fprintf(resultsFile, "%s\t%s\n", figure.c_str(), text.c_str());
    std::fflush(resultsFile);
}

void report(const std::string& figure, double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6g", value);
    reportText(figure, text);
}

void progress(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
}

// Figures as measured, one "name<TAB>value" line each, appended to the results file for bench/table.py.
#pragma once
#include <string>

// Appends to `path` from now on; false when it cannot be opened.
bool openResults(const std::string& path);
void report(const std::string& figure, double value);
void reportText(const std::string& figure, const std::string& text);
// A line of progress on the standard error, so a long run shows where it is.
void progress(const std::string& text);

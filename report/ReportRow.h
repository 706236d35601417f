// One row of the report: the point name and eleven figures, all kept as texts (UTF-8).
#pragma once

#include <array>
#include <string>
#include <vector>

constexpr int ReportColumnCount = 12;
constexpr int ReportMinimumRows = 14;

using ReportRow = std::array<std::string, ReportColumnCount>;
using ReportRows = std::vector<ReportRow>;

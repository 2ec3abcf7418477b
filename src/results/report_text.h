#pragma once

#include <span>
#include <string>
#include <vector>

#include "results/report.h"

namespace results {

// The report as lines of text with their look, for a page that lays it out
// itself (the web page's print style sheet): one line per printed line, a
// "\r\n" inside a printed text starting a new one.
struct ReportLine {
    std::string text;
    double size = 0;  // points
    bool bold = false;
    bool italic = false;
    bool operator==(const ReportLine&) const = default;
};
std::vector<ReportLine> ReportLines(std::span<const PrintOp> ops);

}  // namespace results

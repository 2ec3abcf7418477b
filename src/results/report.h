#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace results {

// One operation on the printer, in the order the report is printed.
struct PrintOp {
    enum class Kind { FontName, FontSize, Bold, Italic, Print, EndDoc };
    Kind kind;
    std::string text;  // FontName, Print ("\r\n" starts a new line)
    double size = 0;   // FontSize, in points
    bool on = false;   // Bold, Italic
    bool operator==(const PrintOp&) const = default;
};

// Who the footer and heading name.
struct ReportIdentity {
    std::string_view distributor;
    std::string_view city;
    std::string_view state;
    std::string_view postalCode;
    std::string_view phone;
    std::string_view fax;
    std::string_view tollFree;  // left out while empty
};

// The report: heading with the distributor's name, every stored line
// unchanged with an empty line after it, and the distributor's footer.
std::vector<PrintOp> BuildReport(std::span<const std::string> lines, const ReportIdentity& who);

}  // namespace results

#include "results/report_text.h"

#include <string_view>

namespace results {

std::vector<ReportLine> ReportLines(std::span<const PrintOp> ops) {
    std::vector<ReportLine> lines;
    ReportLine look;
    for (const PrintOp& op : ops) {
        switch (op.kind) {
            case PrintOp::Kind::FontSize:
                look.size = op.size;
                break;
            case PrintOp::Kind::Bold:
                look.bold = op.on;
                break;
            case PrintOp::Kind::Italic:
                look.italic = op.on;
                break;
            case PrintOp::Kind::Print: {
                std::string_view rest = op.text;
                for (;;) {
                    const auto end = rest.find("\r\n");
                    look.text = std::string(rest.substr(0, end));
                    lines.push_back(look);
                    if (end == std::string_view::npos) break;
                    rest.remove_prefix(end + 2);
                }
                break;
            }
            case PrintOp::Kind::FontName:
            case PrintOp::Kind::EndDoc:
                break;
        }
    }
    return lines;
}

}  // namespace results

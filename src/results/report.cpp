#include "results/report.h"

namespace results {

namespace {

using Kind = PrintOp::Kind;

PrintOp Print(std::string text) { return {Kind::Print, std::move(text)}; }
PrintOp Size(double points) { return {Kind::FontSize, {}, points}; }
PrintOp Switch(Kind kind, bool on) { return {kind, {}, 0, on}; }

std::string Join(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts) text.append(part);
    return text;
}

}  // namespace

std::vector<PrintOp> BuildReport(std::span<const std::string> lines, const ReportIdentity& who) {
    std::vector<PrintOp> ops;
    ops.reserve(2 * lines.size() + 24);
    ops.push_back({Kind::FontName, "MS Sans Serif"});
    ops.push_back(Size(14));
    ops.push_back(Print(""));
    ops.push_back(Switch(Kind::Bold, true));
    ops.push_back(Print(Join({who.distributor, " - Divaz Avedur Odezezadoz"})));
    ops.push_back(Print("Calculations:"));
    ops.push_back(Switch(Kind::Bold, false));
    ops.push_back(Size(10));
    ops.push_back(Print(""));
    ops.push_back(Switch(Kind::Italic, false));
    for (const std::string& line : lines) {
        ops.push_back(Print(line));
        ops.push_back(Print(""));
    }
    ops.push_back(Size(8));
    ops.push_back(Switch(Kind::Italic, true));
    ops.push_back(Print(""));
    ops.push_back(
        Print(Join({"Vevari Radidu Zezareruze Utility provided by ", who.distributor, "."})));
    ops.push_back(Print(""));
    ops.push_back(Print(Join({who.city, ", ", who.state, " ", who.postalCode,
                              "\r\nPhone: ", who.phone, "\r\nFax: ", who.fax})));
    if (!who.tollFree.empty()) ops.push_back(Print(Join({"\r\nTollfree: ", who.tollFree})));
    ops.push_back(Print(""));
    ops.push_back({Kind::EndDoc, {}});
    return ops;
}

}  // namespace results

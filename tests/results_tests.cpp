#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "results/report.h"
#include "results/result_line.h"

using namespace results;

namespace {

struct Line {
    const char* name;
    std::vector<SlotSnapshot> slots;
    const char* pieces;
    const char* result;
    const char* expected;  // after "Steel (Default)  Plate  "
    char separator = '.';
};
void PrintTo(const Line& row, std::ostream* os) { *os << row.name; }

class ResultLineTest : public testing::TestWithParam<Line> {};

TEST_P(ResultLineTest, FollowsTheTemplatePieceByPiece) {
    const Line& l = GetParam();
    const StoreOutcome out =
        ComposeResultLine({"Steel (Default)", "Plate", l.slots, l.pieces, l.result, l.separator});
    EXPECT_FALSE(out.message.has_value());
    EXPECT_EQ(out.line, std::string("Steel (Default)  Plate  ") + l.expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Lines, ResultLineTest, testing::Values(
    Line{"EmptyWidthAsZero", {{"Thickness:", "0.25", "in"}, {"Width:", "", "in"}, {"Length:", "8", "ft"}}, "2", "54.45",
         " Thickness: 0.25 in  Width: 0.0 in Length: 8 ft  Pieces: 2  Total Weight: 54.45 lbs."},
    Line{"ValuesAndResultAsTyped", {{"Outer Diameter:", " 3", "cm"}, {"Wall:", "x", "mm"}}, "abc", " 12.5 ",
         " Outer Diameter:  3 cm  Wall: 0.0 mm  Pieces: abc  Total Weight:  12.5  lbs."},
    Line{"CommaLocale", {{"Thickness:", "0,5", "in"}, {"Width:", "0.5", "in"}}, "1", "1,00",
         " Thickness: 0,5 in  Width: 0.0 in  Pieces: 1  Total Weight: 1,00 lbs.", ','}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(ResultLine, RefusedWithoutANumericResult) {
    for (const char* result : {"", "   ", "heavy", "1e400"}) {
        const StoreOutcome out = ComposeResultLine({"Steel (Default)", "Plate", {}, "1", result});
        EXPECT_FALSE(out.line.has_value()) << result;
        EXPECT_EQ(out.message,
                  (calc::Message{"There is no calculation to be stored", "Store Failed"}));
    }
}

using K = PrintOp::Kind;
PrintOp P(std::string text) { return {K::Print, std::move(text)}; }

const ReportIdentity kWho{"Orvanta, LLC", "Millbrook",    "OH", "44870",
                          "555.555.0100", "555.555.0101", ""};

std::vector<PrintOp> Expected(const std::vector<PrintOp>& body, const std::vector<PrintOp>& toll) {
    std::vector<PrintOp> ops = {{K::FontName, "MS Sans Serif"},
                                {K::FontSize, {}, 14},
                                P(""),
                                {K::Bold, {}, 0, true},
                                P("Orvanta, LLC - Divaz Avedur Odezezadoz"),
                                P("Calculations:"),
                                {K::Bold, {}, 0, false},
                                {K::FontSize, {}, 10},
                                P(""),
                                {K::Italic, {}, 0, false}};
    ops.insert(ops.end(), body.begin(), body.end());
    const std::vector<PrintOp> footer = {
        {K::FontSize, {}, 8},
        {K::Italic, {}, 0, true},
        P(""),
        P("Vevari Radidu Zezareruze Utility provided by Orvanta, LLC."),
        P(""),
        P("Millbrook, OH 44870\r\nPhone: 555.555.0100\r\nFax: 555.555.0101")};
    ops.insert(ops.end(), footer.begin(), footer.end());
    ops.insert(ops.end(), toll.begin(), toll.end());
    ops.push_back(P(""));
    ops.push_back({K::EndDoc, {}});
    return ops;
}

TEST(Report, HeadingStoredLinesAndFooterInOrder) {
    EXPECT_EQ(BuildReport({}, kWho), Expected({}, {}));
    const std::vector<std::string> lines = {"first line", "second line"};
    EXPECT_EQ(BuildReport(lines, kWho),
              Expected({P("first line"), P(""), P("second line"), P("")}, {}));
    ReportIdentity who = kWho;
    who.tollFree = "555.555.0199";
    EXPECT_EQ(BuildReport({}, who), Expected({}, {P("\r\nTollfree: 555.555.0199")}));
}

}  // namespace

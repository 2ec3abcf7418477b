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

// A weight is stale while the user has not edited the result field since the
// last calculation and the inputs changed or the calculation was refused;
// what the field reads does not matter.
TEST(ResultLine, RefusesOnlyAWeightTheUserDidNotEditSinceItWentStale) {
    const StoreSnapshot calculated{
        "Steel (Default)", "Plate", {{"Width:", "2", "in"}}, "1", "2.67"};
    StoreSnapshot changed = calculated;
    changed.shownSlots[0].text = "3";
    const struct {
        const char* name;
        StoreSnapshot now;
        LastCalculation last;
        bool refused;
    } rows[] = {
        {"unchanged", calculated, {calculated, false, false}, false},
        {"dimension changed", changed, {calculated, false, false}, true},
        {"same weight typed after a change", changed, {calculated, false, true}, false},
        {"calculation refused", calculated, {calculated, true, false}, true},
        {"typed after a refusal", calculated, {calculated, true, true}, false},
    };
    for (const auto& row : rows) {
        const StoreOutcome out = ComposeResultLine(row.now, row.last);
        EXPECT_EQ(out.message.has_value(), row.refused) << row.name;
        EXPECT_EQ(out.line.has_value(), !row.refused) << row.name;
    }
}

// A system's reason ends the message as a sentence, with one full stop.
TEST(PrintMessages, EndTheSystemsReasonWithAFullStop) {
    EXPECT_EQ(PrintFailedMessage("the print server did not answer within 3 seconds").text,
              "The report could not be printed: the print server did not answer within 3 seconds.");
    EXPECT_EQ(PrintFailedMessage("Destination \"bad\" is not accepting jobs.").text,
              "The report could not be printed: Destination \"bad\" is not accepting jobs.");
    EXPECT_EQ(PrintFailedMessage("").text, "The report could not be printed.");
    EXPECT_EQ(PrintUnconfirmedMessage("no answer").text, "The report may still print: no answer.");
}

// The report as one text: each operation on a line of its own.
std::string Ops(const std::vector<PrintOp>& ops) {
    std::string text;
    for (const PrintOp& op : ops) {
        const char* names[] = {"font ", "size ", "bold ", "italic ", "", "end"};
        text += names[static_cast<int>(op.kind)] + op.text;
        if (op.kind == PrintOp::Kind::FontSize) text += std::to_string(static_cast<int>(op.size));
        if (op.kind == PrintOp::Kind::Bold || op.kind == PrintOp::Kind::Italic) {
            text += op.on ? "on" : "off";
        }
        text += "|";
    }
    return text;
}

TEST(Report, HeadingStoredLinesAndFooterInOrder) {
    ReportIdentity who{"Orvanta, LLC", "Millbrook",    "OH", "44870",
                       "555.555.0100", "555.555.0101", ""};
    const std::string heading =
        "font MS Sans Serif|size 14||bold on|Orvanta, LLC - Divaz Avedur Odezezadoz|"
        "Calculations:|bold off|size 10||italic off|";
    const std::string footer =
        "size 8|italic on||Vevari Radidu Zezareruze Utility provided by Orvanta, LLC.||"
        "Millbrook, OH 44870\r\nPhone: 555.555.0100\r\nFax: 555.555.0101|";
    const std::vector<std::string> lines = {"first line", "second line"};
    EXPECT_EQ(Ops(BuildReport(lines, who)),
              heading + "first line||second line||" + footer + "|end|");
    for (const PrintOp& op : BuildReport(lines, who)) {  // a size only where a size is set
        EXPECT_EQ(op.size == 0, op.kind != PrintOp::Kind::FontSize);
    }
    who.tollFree = "555.555.0199";
    EXPECT_EQ(Ops(BuildReport({}, who)), heading + footer + "\r\nTollfree: 555.555.0199||end|");
}

}  // namespace

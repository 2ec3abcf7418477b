#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "results/report.h"
#include "results/result_line.h"

using namespace results;

namespace {

struct Line {
    const char* name;
    const char* alloy;
    const char* shape;
    std::vector<SlotSnapshot> slots;
    const char* pieces;
    const char* result;
    const char* expected;
    char separator = '.';
};

void PrintTo(const Line& row, std::ostream* os) { *os << row.name; }

class ResultLineTest : public testing::TestWithParam<Line> {};

TEST_P(ResultLineTest, FollowsTheTemplatePieceByPiece) {
    const Line& l = GetParam();
    const StoreOutcome out =
        ComposeResultLine({l.alloy, l.shape, l.slots, l.pieces, l.result, l.separator});
    EXPECT_FALSE(out.message.has_value());
    EXPECT_EQ(out.line, l.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ResultLineTest,
    testing::Values(
        Line{"RoundBar",
             "Steel (Default)",
             "Round Bar",
             {{"Diameter:", "2", "in"}, {"Length:", "10", "ft"}},
             "1",
             "106.92",
             "Steel (Default)  Round Bar   Diameter: 2 in Length: 10 ft  Pieces: 1  Total "
             "Weight: 106.92 lbs."},
        Line{"EmptyWidthAsZero",
             "Steel (Default)",
             "Plate",
             {{"Thickness:", "0.25", "in"}, {"Width:", "", "in"}, {"Length:", "8", "ft"}},
             "2",
             "54.45",
             "Steel (Default)  Plate   Thickness: 0.25 in  Width: 0.0 in Length: 8 ft  Pieces: 2  "
             "Total Weight: 54.45 lbs."},
        Line{"ValuesAndResultAsTyped",
             "Brass",
             "Round Tube",
             {{"Outer Diameter:", " 3", "cm"}, {"Wall:", "x", "mm"}, {"Length:", "1e1", "m"}},
             "abc",
             " 12.5 ",
             "Brass  Round Tube   Outer Diameter:  3 cm  Wall: 0.0 mm Length: 1e1 m  Pieces: "
             "abc  Total Weight:  12.5  lbs."},
        Line{"CommaLocale",
             "Copper",
             "Strip",
             {{"Thickness:", "0,5", "in"}, {"Width:", "0.5", "in"}, {"Length:", "1", "ft"}},
             "1",
             "1,00",
             "Copper  Strip   Thickness: 0,5 in  Width: 0.0 in Length: 1 ft  Pieces: 1  Total "
             "Weight: 1,00 lbs.",
             ','}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ResultLine, RefusedWithoutANumericResult) {
    for (const char* result : {"", "   ", "heavy", "1e400"}) {
        const StoreOutcome out =
            ComposeResultLine({"Steel (Default)", "Round Bar", {}, "1", result});
        EXPECT_FALSE(out.line.has_value()) << result;
        ASSERT_TRUE(out.message.has_value()) << result;
        EXPECT_EQ(out.message->text, "There is no calculation to be stored");
        EXPECT_EQ(out.message->title, "Store Failed");
    }
    EXPECT_EQ(NothingSelectedMessage().text, "Please select a calculation to delete");
    EXPECT_EQ(NothingSelectedMessage().title, "Remove Failed");
}

// The report as readable lines, e.g. "size 14", "print Calculations:".
std::vector<std::string> Describe(const std::vector<PrintOp>& ops) {
    std::vector<std::string> out;
    for (const PrintOp& op : ops) {
        switch (op.kind) {
            case PrintOp::Kind::FontName:
                out.push_back("font " + op.text);
                break;
            case PrintOp::Kind::FontSize:
                out.push_back("size " + std::to_string(int(op.size)));
                break;
            case PrintOp::Kind::Bold:
                out.push_back(op.on ? "bold on" : "bold off");
                break;
            case PrintOp::Kind::Italic:
                out.push_back(op.on ? "italic on" : "italic off");
                break;
            case PrintOp::Kind::Print:
                out.push_back("print " + op.text);
                break;
            case PrintOp::Kind::EndDoc:
                out.push_back("end");
                break;
        }
    }
    return out;
}

const ReportIdentity kWho{"Orvanta, LLC", "Millbrook",    "OH", "44870",
                          "555.555.0100", "555.555.0101", ""};

std::vector<std::string> Expected(const std::vector<std::string>& body,
                                  const std::vector<std::string>& tollFree = {}) {
    std::vector<std::string> ops = {"font MS Sans Serif",
                                    "size 14",
                                    "print ",
                                    "bold on",
                                    "print Orvanta, LLC - Divaz Avedur Odezezadoz",
                                    "print Calculations:",
                                    "bold off",
                                    "size 10",
                                    "print ",
                                    "italic off"};
    ops.insert(ops.end(), body.begin(), body.end());
    const std::vector<std::string> footer = {
        "size 8", "italic on",
        "print ", "print Vevari Radidu Zezareruze Utility provided by Orvanta, LLC.",
        "print ", "print Millbrook, OH 44870\r\nPhone: 555.555.0100\r\nFax: 555.555.0101"};
    ops.insert(ops.end(), footer.begin(), footer.end());
    ops.insert(ops.end(), tollFree.begin(), tollFree.end());
    ops.push_back("print ");
    ops.push_back("end");
    return ops;
}

TEST(Report, EmptyListPrintsHeadingAndFooter) {
    EXPECT_EQ(Describe(BuildReport({}, kWho)), Expected({}));
}

TEST(Report, StoredLinesInOrderEachFollowedByAnEmptyLine) {
    const std::vector<std::string> lines = {"first line", "second line"};
    EXPECT_EQ(Describe(BuildReport(lines, kWho)),
              Expected({"print first line", "print ", "print second line", "print "}));
}

TEST(Report, TollFreeLinesOnlyWithANumber) {
    ReportIdentity who = kWho;
    who.tollFree = "555.555.0199";
    EXPECT_EQ(Describe(BuildReport({}, who)), Expected({}, {"print \r\nTollfree: 555.555.0199"}));
}

}  // namespace

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "form/announcements.h"
#include "form/controls.h"
#include "form/texts.h"
#include "results/report.h"
#include "results/report_text.h"

using namespace form;

namespace {

// ---- the table of controls -----------------------------------------------

TEST(Controls, EveryControlFitsItsContainerAndEveryReferenceResolves) {
    const std::vector<Control> table = Controls();
    std::map<std::string, Control> byName;
    for (const Control& c : table) {
        EXPECT_TRUE(byName.emplace(c.name, c).second) << "twice: " << c.name;
        if (c.container.empty()) {
            EXPECT_LE(c.left + c.width, kFormWidthTwips) << c.name;
            EXPECT_LE(c.top + c.height, kFormHeightTwips) << c.name;
            continue;
        }
        // Frames come before what they hold, and hold it inside.
        ASSERT_TRUE(byName.contains(c.container)) << c.name << " in " << c.container;
        const Control& frame = byName.at(c.container);
        EXPECT_EQ(frame.kind, ControlKind::Frame) << c.name;
        EXPECT_LE(c.left + c.width, frame.width) << c.name;
        EXPECT_LE(c.top + c.height, frame.height) << c.name;
    }
    EXPECT_EQ(table.size(), 27u + 15u);
    for (const Buddy& buddy : Buddies()) {
        ASSERT_TRUE(byName.contains(buddy.label)) << buddy.label;
        ASSERT_TRUE(byName.contains(buddy.control)) << buddy.control;
        EXPECT_EQ(byName.at(buddy.label).kind, ControlKind::Label);
    }
}

TEST(Controls, NoTwoInputsShareATabPlace) {
    std::set<int> places;
    for (const Control& c : Controls()) {
        if (c.kind == ControlKind::Label || c.kind == ControlKind::Frame) continue;
        EXPECT_TRUE(places.insert(c.tab).second) << c.name << " at " << c.tab;
    }
}

TEST(Controls, PixelsAndPlainNames) {
    EXPECT_EQ(TwipsToPixels(kFormWidthTwips), 460);
    EXPECT_EQ(TwipsToPixels(kFormHeightTwips), 474);
    EXPECT_EQ(TwipsToPixels(1212), 81);  // 80.8 to the nearest
    EXPECT_EQ(TwipsToPixels(372), 25);   // 24.8
    EXPECT_EQ(PlainName("txtParam(4)"), "txtParam4");
    EXPECT_EQ(PlainName("cmdCalculate"), "cmdCalculate");
}

// ---- texts -----------------------------------------------------------------

TEST(Texts, TheProviderBlockAndItsAddresses) {
    const ProviderBlock who = Provider();
    EXPECT_EQ(who.company, "Orvanta, LLC");
    EXPECT_EQ(who.info,
              "P.O. Box 4127. Millbrook, OH 44870\nPhone: 555.555.0100\nFax: 555.555.0101");
    EXPECT_EQ(who.companyLink, "www.orvanta.example");
    EXPECT_EQ(who.companyAddress, "http://www.orvanta.example");
    EXPECT_EQ(who.authorAddress, "https://www.telmarin.example/");
    EXPECT_EQ(WebAddress("ftp://x.example"), "ftp://x.example");
}

TEST(Texts, EachFormShowsItsCaptionsAndNamesThemWithoutTheColon) {
    const std::vector<std::vector<std::string>> shown = {ShownCaptions(0), ShownCaptions(4),
                                                         ShownCaptions(5), ShownCaptions(7)};
    EXPECT_EQ(shown[0], (std::vector<std::string>{"Thickness:", "Width:", "Length:"}));
    EXPECT_EQ(shown[1], (std::vector<std::string>{"Diameter:", "Length:"}));
    EXPECT_EQ(shown[2], (std::vector<std::string>{"Outer Diameter:", "Wall:", "Length:"}));
    EXPECT_EQ(shown[3], shown[1]);  // every bar is measured the same way
    EXPECT_EQ(FieldName("Outer Diameter:"), "Outer Diameter");
    EXPECT_EQ(FieldName("Label2"), "Label2");
    EXPECT_EQ(FieldName(""), "");
    EXPECT_EQ(UnitListName("Wall:"), "Wall unit");
}

// ---- announcements ---------------------------------------------------------

TEST(Announcements, SayWhatWasDone) {
    const struct {
        const char* name;
        std::string said;
        const char* expected;
    } rows[] = {
        {"weight", WeightShown("204.19"), "204.19 pounds"},
        {"one stored", ResultStored(1), "Result stored, 1 result"},
        {"two stored", ResultStored(2), "Result stored, 2 results"},
        {"none left", ResultRemoved(0), "Result removed, 0 results left"},
        {"one left", ResultRemoved(1), "Result removed, 1 result left"},
        {"to a file", ReportPrinted(1, "report.pdf", ""), "Report printed, 1 page, to report.pdf"},
        {"to a queue", ReportPrinted(2, "", "Office"), "Report sent to Office, 2 pages"},
        {"selected", LineSelected("Steel", "1 of 2"), "Steel, 1 of 2, selected"},
    };
    for (const auto& row : rows) EXPECT_EQ(row.said, row.expected) << row.name;
}

// ---- the report as lines ---------------------------------------------------

TEST(ReportLines, OneLinePerPrintedLineWithItsLook) {
    const std::vector<std::string> stored = {"a  b"};
    const std::vector<results::ReportLine> lines =
        results::ReportLines(results::BuildReport(stored, ReportIdentity()));
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[1], (results::ReportLine{"Orvanta, LLC - Divaz Avedur Odezezadoz", 14, true}));
    EXPECT_EQ(lines[4], (results::ReportLine{"a  b", 10, false, false}));
    EXPECT_EQ(lines[9].text, "Millbrook, OH 44870");  // "\r\n" starts the next two
    EXPECT_EQ(lines[10].text, "Phone: 555.555.0100");
    EXPECT_TRUE(lines[10].italic);
    EXPECT_EQ(lines[10].size, 8);
}

}  // namespace

#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calc/press.h"
#include "results/report.h"

namespace form {

// What the form shows around the calculation, for the window and the web page
// alike: the provider block, the fields a form has, and the names screen
// readers know the controls by.

// The provider block under the buttons.
struct ProviderBlock {
    std::string company;         // lblCompany
    std::string info;            // lblInfo: address, phone, fax (and toll-free), one a line
    std::string companyLink;     // lblCompURL's text
    std::string companyAddress;  // where it leads
    std::string authorNotice;    // lblAuthorInfo
    std::string authorLink;      // lblAuthorInfo2's text
    std::string authorAddress;   // where it leads
};
ProviderBlock Provider();

// Who the printed report names.
results::ReportIdentity ReportIdentity();

// An address as typed ("www.orvanta.example") made a full web address
// ("http://www.orvanta.example"); one with a scheme stays as it is.
std::string WebAddress(std::string_view address);

// The parameter slots a form (by list position) shows, counted from slot 0,
// and their captions ("Diameter:").
std::vector<std::string> ShownCaptions(int shapePosition);

// A field's name for screen readers: its caption without the colon.
std::string FieldName(std::string_view caption);
// A unit list's name: "Diameter unit".
std::string UnitListName(std::string_view caption);

// The field a refused press leads the user to, with its text selected: the
// one its message names ("txtParam(1)", "txtNumPieces"); empty for none.
std::string RefusedField(const calc::PressOutcome& outcome);

inline constexpr std::string_view kWindowTitle = "Vevari Radidu Zezareruze";
// The form the window opens with: Round Bar.
inline constexpr int kStartShape = 4;

inline constexpr std::string_view kResultDescription = "pounds (lbs.)";
inline constexpr std::string_view kResultsListName = "Stored results";
// What Clear Fields leaves in the pieces field.
inline constexpr std::string_view kClearedPieces = "1";

}  // namespace form

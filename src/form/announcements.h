#pragma once

#include <string>
#include <string_view>

namespace form {

// The words a screen reader is told after a button has done its work, with
// nothing new to see: the same for the window and the web page.

std::string WeightShown(std::string_view weight);  // "204.19 pounds"
std::string ResultStored(int stored);              // "Result stored, 2 results"
std::string ResultRemoved(int left);               // "Result removed, 1 result left"
std::string FieldsCleared();                       // "Fields cleared"
// A results line the arrow keys selected: "..., 1 of 2, selected".
std::string LineSelected(std::string_view line, std::string_view place);
// A finished print: "Report printed, 2 pages, to report.pdf" for a file (its
// name without the folder), "Report sent to Office, 1 page" for a printer queue.
std::string ReportPrinted(int pages, std::string_view fileName, std::string_view queue);
std::string PrintingCancelled();

}  // namespace form

#include "form/announcements.h"

namespace form {

namespace {

std::string Counted(int count, std::string_view noun) {
    return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

}  // namespace

std::string WeightShown(std::string_view weight) { return std::string(weight) + " pounds"; }

std::string ResultStored(int stored) { return "Result stored, " + Counted(stored, "result"); }

std::string ResultRemoved(int left) {
    return "Result removed, " + Counted(left, "result") + " left";
}

std::string FieldsCleared() { return "Fields cleared"; }

std::string LineSelected(std::string_view line, std::string_view place) {
    return std::string(line) + ", " + std::string(place) + ", selected";
}

std::string ReportPrinted(int pages, std::string_view fileName, std::string_view queue) {
    if (fileName.empty()) {
        return "Report sent to " + std::string(queue) + ", " + Counted(pages, "page");
    }
    return "Report printed, " + Counted(pages, "page") + ", to " + std::string(fileName);
}

std::string PrintingCancelled() { return "Printing cancelled"; }

}  // namespace form

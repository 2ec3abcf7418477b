#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "calc/messages.h"
#include "calc/press.h"
#include "results/result_line.h"

// The web page's counterpart of the window's Form1, without a widget: it
// takes what the page's controls hold, asks the core, and says what the page
// must show. It keeps what Store Result needs to know of the last press.
struct PageState {
    int alloy = 0;  // list positions
    int shape = 0;
    std::array<std::string, calc::kSlotCount> texts;
    std::array<int, calc::kSlotCount> units{};
    std::string pieces;
    std::string result;
};

struct PageAnswer {
    std::optional<std::string> result;  // new text of the result field
    std::optional<std::string> line;    // a line to append to the results list
    std::optional<calc::Message> message;
    std::string focus;  // id of the field to focus with its text selected; empty: none
    std::string announcement;
};

class PageForm {
  public:
    PageAnswer Calculate(const PageState& state);
    // `stored`: how many lines the list holds before this one.
    PageAnswer Store(const PageState& state, int stored);
    // The user changed the result field (typing, a paste, a drop, Undo): what
    // it holds from then on is theirs to store, whatever it reads.
    void ResultEdited();

  private:
    results::StoreSnapshot Snapshot(const PageState& state) const;
    std::optional<results::LastCalculation> last_;
};

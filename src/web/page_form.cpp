#include "web/page_form.h"

#include "catalogue/alloys.h"
#include "catalogue/shapes.h"
#include "catalogue/units.h"
#include "form/announcements.h"
#include "form/controls.h"
#include "form/texts.h"

namespace {

constexpr char kSeparator = '.';  // the page reads and writes numbers with a point

}  // namespace

results::StoreSnapshot PageForm::Snapshot(const PageState& state) const {
    const std::vector<std::string> captions = form::ShownCaptions(state.shape);
    results::StoreSnapshot snapshot{
        std::string(catalogue::AlloyName(state.alloy + 1)),
        std::string(catalogue::ShapeName(catalogue::ShapeIdAtPosition(state.shape))),
        {},
        state.pieces,
        state.result,
        kSeparator};
    for (std::size_t i = 0; i < captions.size(); ++i) {
        snapshot.shownSlots.push_back({captions[i], state.texts[i],
                                       std::string(catalogue::UnitAbbreviation(state.units[i]))});
    }
    return snapshot;
}

PageAnswer PageForm::Calculate(const PageState& state) {
    const std::vector<std::string> shown = form::ShownCaptions(state.shape);
    std::array<std::string, calc::kSlotCount> captions;
    std::copy(shown.begin(), shown.end(), captions.begin());
    calc::PressInput input;
    for (int i = 0; i < calc::kSlotCount; ++i) {
        input.texts[i] = state.texts[i];
        input.captions[i] = captions[i];
        input.units[i] = static_cast<catalogue::UnitIndex>(state.units[i]);
    }
    input.pieces = state.pieces;
    input.result = state.result;
    input.shapePosition = state.shape;
    input.alloyPosition = state.alloy;
    input.separator = kSeparator;
    const calc::PressOutcome outcome = calc::EvaluatePress(input);

    PageAnswer answer;
    answer.result = outcome.result;
    answer.message = outcome.message;
    answer.focus = form::PlainName(form::RefusedField(outcome));
    PageState after = state;
    if (outcome.result) after.result = *outcome.result;
    last_ = results::LastCalculation{Snapshot(after), outcome.refusal != calc::Refusal::None};
    if (outcome.result && outcome.refusal == calc::Refusal::None) {
        answer.announcement = form::WeightShown(*outcome.result);
    }
    return answer;
}

void PageForm::ResultEdited() {
    if (last_) last_->resultEdited = true;
}

PageAnswer PageForm::Store(const PageState& state, int stored) {
    const results::StoreOutcome outcome = results::ComposeResultLine(Snapshot(state), last_);
    PageAnswer answer;
    answer.message = outcome.message;
    answer.line = outcome.line;
    if (outcome.line) answer.announcement = form::ResultStored(stored + 1);
    return answer;
}

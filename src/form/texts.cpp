#include "form/texts.h"

#include "catalogue/shapes.h"
#include "form/controls.h"
#include "form/provider.h"

namespace form {

ProviderBlock Provider() {
    std::string info = std::string(provider::kPostalLine) + ". " + provider::kCity + ", " +
                       provider::kState + " " + provider::kPostalCode +
                       "\nPhone: " + provider::kPhone + "\nFax: " + provider::kFax;
    if (std::string_view(provider::kTollFree).size() > 0) {
        info += std::string("\nToll Free: ") + provider::kTollFree;
    }
    return {provider::kDistributorName,      info,
            provider::kDistributorWeb,       WebAddress(provider::kDistributorWeb),
            provider::kAuthorNotice,         provider::kAuthorName,
            WebAddress(provider::kAuthorWeb)};
}

results::ReportIdentity ReportIdentity() {
    return {provider::kDistributorName, provider::kCity, provider::kState,   provider::kPostalCode,
            provider::kPhone,           provider::kFax,  provider::kTollFree};
}

std::string WebAddress(std::string_view address) {
    if (address.find("://") != std::string_view::npos) return std::string(address);
    return "http://" + std::string(address);
}

std::vector<std::string> ShownCaptions(int shapePosition) {
    const auto& layout =
        catalogue::LayoutOf(catalogue::FamilyOf(catalogue::ShapeIdAtPosition(shapePosition)));
    std::vector<std::string> captions;
    for (int i = 0; i < layout.fieldCount; ++i) {
        captions.emplace_back(layout.captions[static_cast<std::size_t>(i)]);
    }
    return captions;
}

std::string FieldName(std::string_view caption) {
    if (caption.ends_with(':')) caption.remove_suffix(1);
    return std::string(caption);
}

std::string UnitListName(std::string_view caption) { return FieldName(caption) + " unit"; }

std::string RefusedField(const calc::PressOutcome& outcome) {
    if (outcome.namedSlot >= 0 && outcome.namedSlot < calc::kSlotCount) {
        return SlotName("txtParam", outcome.namedSlot);
    }
    return outcome.refusal == calc::Refusal::Pieces ? "txtNumPieces" : "";
}

}  // namespace form

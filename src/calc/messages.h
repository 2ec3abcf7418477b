#pragma once

#include <string>
#include <string_view>

namespace calc {

// A modal message: one OK button, no icon.
struct Message {
    std::string text;
    std::string title;
    bool operator==(const Message&) const = default;
};

inline constexpr std::string_view kTitleInvalidInput = "Invalid Input";
inline constexpr std::string_view kTitleIllegalInput = "Illegal Input";

inline constexpr std::string_view kPiecesMessage =
    "You entered an illegal value for the number of pieces";
inline constexpr std::string_view kFieldsMessagePrefix = "You entered an illegal value for the ";
inline constexpr std::string_view kWallMessage = "The Tube Wall Cannot exceed the Outer Diameter";
inline constexpr std::string_view kHalfWallMessage =
    "The Tube Wall Cannot exceed half the Outer Diameter";
inline constexpr std::string_view kTooLargeMessage =
    "The calculated weight is too large to display";

// A web link that no browser could open (none installed, or the desktop
// refused to start one): the address stands on a line of its own, so that the
// user can type it into a browser elsewhere.
inline Message LinkFailedMessage(std::string_view address) {
    return {"No web browser could be started to open this link. Its address is:\n\n" +
                std::string(address),
            "Link Failed"};
}

}  // namespace calc

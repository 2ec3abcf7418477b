#pragma once

// Who hands the calculator out, and who wrote it. Shown in the window's
// provider block, printed in the report's heading and footer, and opened by
// the two web links.

namespace provider {

inline constexpr char kDistributorName[] = "Orvanta, LLC";
inline constexpr char kPostalLine[] = "P.O. Box 4127";
inline constexpr char kCity[] = "Millbrook";
inline constexpr char kState[] = "OH";
inline constexpr char kPostalCode[] = "44870";
inline constexpr char kPhone[] = "555.555.0100";
inline constexpr char kFax[] = "555.555.0101";
inline constexpr char kTollFree[] = "";  // shown and printed only when not empty
inline constexpr char kDistributorWeb[] = "www.orvanta.example";  // bare host, no scheme
inline constexpr char kAuthorName[] = "Telmarin, Inc.";
inline constexpr char kAuthorWeb[] = "https://www.telmarin.example/";
inline constexpr char kAuthorNotice[] = "Copyright 2026 by";

}  // namespace provider

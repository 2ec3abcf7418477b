#pragma once

// libcups, loaded when printing first needs the print server rather than
// linked: linked, it would load its TLS, Kerberos and zeroconf libraries
// before the window shows, for a command most sessions never use. The headers
// give the types only.

#include <cups/cups.h>

#include <memory>

// The functions the hand-over and the print dialog's questions call.
// clang-format off
#define MWC_CUPS_FUNCTIONS(F)                                                                \
    F(cupsServer) F(ippPort) F(cupsEncryption) F(cupsUser)                                   \
    F(httpConnect2) F(httpClose) F(httpError) F(httpSetTimeout) F(cupsSetPasswordCB2)        \
    F(cupsAddOption) F(cupsFreeOptions)                                                      \
    F(cupsCreateJob) F(cupsStartDocument) F(cupsWriteRequestData) F(cupsFinishDocument)      \
    F(cupsCancelJob2) F(cupsLastError) F(cupsLastErrorString)                                \
    F(ippNewRequest) F(ippAddString) F(ippAddStrings) F(ippAddInteger) F(cupsDoRequest)      \
    F(ippDelete) F(ippFindAttribute) F(ippFirstAttribute) F(ippNextAttribute) F(ippGetName)  \
    F(ippGetGroupTag) F(ippGetCount) F(ippGetString) F(ippGetInteger)
// clang-format on

struct CupsLibrary {
#define MWC_CUPS_MEMBER(name) decltype(&::name) name = nullptr;
    MWC_CUPS_FUNCTIONS(MWC_CUPS_MEMBER)
#undef MWC_CUPS_MEMBER
};

// libcups with every function above, or nothing when it is not installed or
// lacks one. The library stays loaded for the rest of the run (the print
// dialog's CUPS plug-in uses it too), so the functions never go stale.
std::shared_ptr<const CupsLibrary> LoadCups();

#include "printing/linux/cups_library.h"

#include <QLibrary>

std::shared_ptr<const CupsLibrary> LoadCups() {
    QLibrary library("cups", 2);
    if (!library.load()) return nullptr;
    auto cups = std::make_shared<CupsLibrary>();
    bool complete = true;
#define MWC_CUPS_RESOLVE(name)                                                   \
    cups->name = reinterpret_cast<decltype(cups->name)>(library.resolve(#name)); \
    complete = complete && cups->name;
    MWC_CUPS_FUNCTIONS(MWC_CUPS_RESOLVE)
#undef MWC_CUPS_RESOLVE
    // QLibrary does not unload on destruction: the pointers stay valid.
    return complete ? cups : nullptr;
}

#include "printing/linux/server_printers.h"

#include <QDateTime>
#include <algorithm>
#include <thread>

#include "printing/linux/cups_library.h"

namespace {

// How long the thread itself waits before it gives a silent server up.
constexpr int kGiveUpSeconds = 30;

constexpr const char* kAsked[] = {
    "printer-name",
    "printer-info",
    "media-supported",
    "media-default",
    "sides-supported",
    "sides-default",
    "print-color-mode-supported",
    "print-color-mode-default",
    "media-left-margin-supported",
    "media-top-margin-supported",
    "media-right-margin-supported",
    "media-bottom-margin-supported",
};

// Text values only; integers (the margins) are read apart.
QStringList Strings(const CupsLibrary& cups, ipp_attribute_t* attribute) {
    QStringList values;
    for (int i = 0; i < cups.ippGetCount(attribute); ++i) {
        if (const char* value = cups.ippGetString(attribute, i, nullptr)) {
            values << QString::fromUtf8(value);
        }
    }
    return values;
}

// The smallest margin offered, in millimetres (IPP counts hundredths).
double Least(const CupsLibrary& cups, ipp_attribute_t* attribute) {
    int least = 0;
    for (int i = 0; i < cups.ippGetCount(attribute); ++i) {
        const int value = cups.ippGetInteger(attribute, i);
        least = i == 0 ? value : std::min(least, value);
    }
    return least / 100.0;
}

// The answer holds one group of attributes per printer, in the server's
// order (printer-name need not come first), parted by separators.
std::vector<ServerPrinter> Printers(const CupsLibrary& cups, ipp_t* answer) {
    std::vector<ServerPrinter> printers;
    ServerPrinter p;
    bool inPrinter = false;
    const auto end = [&] {
        if (inPrinter && !p.name.isEmpty()) printers.push_back(p);
        p = {};
        inPrinter = false;
    };
    for (ipp_attribute_t* at = cups.ippFirstAttribute(answer); at;
         at = cups.ippNextAttribute(answer)) {
        const char* name = cups.ippGetName(at);
        if (!name) {
            end();
            continue;
        }
        if (cups.ippGetGroupTag(at) != IPP_TAG_PRINTER) continue;
        inPrinter = true;
        const QByteArray key(name);
        const QStringList values = Strings(cups, at);
        const QString first = values.value(0);
        if (key == "printer-name") p.name = first;
        if (key == "printer-info") p.description = first;
        if (key == "media-supported") p.media = values;
        if (key == "media-default") p.mediaDefault = first;
        if (key == "sides-supported") p.sides = values;
        if (key == "sides-default") p.sidesDefault = first;
        if (key == "print-color-mode-supported") p.colourModes = values;
        if (key == "print-color-mode-default") p.colourDefault = first;
        if (key == "media-left-margin-supported") p.leastMargins.setLeft(Least(cups, at));
        if (key == "media-top-margin-supported") p.leastMargins.setTop(Least(cups, at));
        if (key == "media-right-margin-supported") p.leastMargins.setRight(Least(cups, at));
        if (key == "media-bottom-margin-supported") p.leastMargins.setBottom(Least(cups, at));
    }
    end();
    return printers;
}

ServerPrinters Ask(const CupsLibrary& cups) {
    ServerPrinters found;
    http_t* http = cups.httpConnect2(cups.cupsServer(), cups.ippPort(), nullptr, AF_UNSPEC,
                                     cups.cupsEncryption(), 1, kGiveUpSeconds * 1000, nullptr);
    if (!http) {
        found.state = ServerPrinters::State::NoServer;
        return found;
    }
    cups.httpSetTimeout(
        http, kGiveUpSeconds, [](http_t*, void*) { return 0; }, nullptr);
    ipp_t* request = cups.ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    cups.ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                       static_cast<int>(std::size(kAsked)), nullptr, kAsked);
    ipp_t* answer = cups.cupsDoRequest(http, request, "/");
    if (!answer) {
        found.state = ServerPrinters::State::Silent;
        cups.httpClose(http);
        return found;
    }
    found.printers = Printers(cups, answer);
    cups.ippDelete(answer);
    ipp_t* byDefault = cups.cupsDoRequest(http, cups.ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    if (ipp_attribute_t* name = cups.ippFindAttribute(byDefault, "printer-name", IPP_TAG_NAME)) {
        found.defaultName = QString::fromUtf8(cups.ippGetString(name, 0, nullptr));
    }
    cups.ippDelete(byDefault);
    cups.httpClose(http);
    found.state = ServerPrinters::State::Answered;
    return found;
}

}  // namespace

ServerPrinterQuery::ServerPrinterQuery(int deadlineMs, std::shared_ptr<const CupsLibrary> cups)
    : shared_(std::make_shared<Shared>()),
      startedMs_(QDateTime::currentMSecsSinceEpoch()),
      deadlineMs_(deadlineMs) {
    if (!cups) cups = LoadCups();
    if (!cups) {
        // No libcups, no print server: files only.
        shared_->done = true;
        shared_->answer.state = ServerPrinters::State::NoServer;
        return;
    }
    // Detached: a server that never answers keeps the thread, not the window
    // or the program's end.
    std::thread([cups, shared = shared_] {
        cups->cupsSetPasswordCB2([](const char*, http_t*, const char*, const char*,
                                    void*) -> const char* { return nullptr; },
                                 nullptr);
        ServerPrinters answer = Ask(*cups);
        const std::lock_guard lock(shared->mutex);
        shared->answer = std::move(answer);
        shared->done = true;
    }).detach();
}

ServerPrinters ServerPrinterQuery::Now() const {
    const std::lock_guard lock(shared_->mutex);
    if (shared_->done) return shared_->answer;
    ServerPrinters waiting;
    if (QDateTime::currentMSecsSinceEpoch() - startedMs_ >= deadlineMs_) {
        waiting.state = ServerPrinters::State::Silent;
    }
    return waiting;
}

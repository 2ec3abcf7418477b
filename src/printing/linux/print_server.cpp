// The job goes to the print server through libcups rather than through Qt's
// CUPS back end, which ignores the server's answer (a queue that refuses jobs
// loses the report without a word) and blocks the window for as long as the
// server does not answer. libcups blocks the thread that calls it, so the job
// is handed over on a thread of its own while the window waits in an event
// loop with a time limit.

#include "printing/linux/print_server.h"

#include <cups/cups.h>

#include <QEventLoop>
#include <QPrintEngine>
#include <QPrinter>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace {

// How long the window waits for the server before it tells the user.
constexpr int kAnswerSeconds = 30;

// Where Qt's print dialog leaves the CUPS options it collected (page set,
// the printer's own settings from Properties, job options): the print
// engine's private PPK_CupsOptions, a list of name, value, name, value...
const auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

using Options = std::vector<std::pair<QByteArray, QByteArray>>;

struct Job {
    QByteArray queue;
    QByteArray title;
    Options options;
    QByteArray pdf;
};

// What the waiting window and the worker share. The window stops waiting by
// clearing `waiting`; a worker that then finds it cleared cancels its job, so
// a job the user was told had failed never prints later.
struct Handover {
    std::mutex mutex;
    QEventLoop* waiting = nullptr;
    bool done = false;
    QString failure;
};

// The options Qt's CUPS back end sends with a job it prints, in its order.
// The page range and the page order are already in the document; copies are
// in it only where the printer cannot make them, and then the count is 1.
Options OptionsOf(const QPrinter& printer) {
    const QPageLayout layout = printer.pageLayout();
    const bool landscape = layout.orientation() == QPageLayout::Landscape;
    Options options{{"media", layout.pageSize().key().toLocal8Bit()}};
    if (printer.copyCount() > 1) {
        options.emplace_back("copies", QByteArray::number(printer.copyCount()));
        if (printer.collateCopies()) options.emplace_back("Collate", "True");
    }
    switch (printer.duplex()) {
        case QPrinter::DuplexNone:
            options.emplace_back("sides", "one-sided");
            break;
        case QPrinter::DuplexAuto:
            options.emplace_back("sides",
                                 landscape ? "two-sided-short-edge" : "two-sided-long-edge");
            break;
        case QPrinter::DuplexLongSide:
            options.emplace_back("sides", "two-sided-long-edge");
            break;
        case QPrinter::DuplexShortSide:
            options.emplace_back("sides", "two-sided-short-edge");
            break;
    }
    if (landscape) options.emplace_back("landscape", "");
    const QStringList collected = printer.printEngine()->property(kCupsOptions).toStringList();
    for (qsizetype i = 0; i + 1 < collected.size(); i += 2) {
        if (collected[i] == "page-ranges") continue;  // the server would cut the range again
        options.emplace_back(collected[i].toLocal8Bit(), collected[i + 1].toLocal8Bit());
    }
    return options;
}

// libcups keeps the last error per thread: read it on the worker.
QString LastError() {
    const QString reason = QString::fromUtf8(cupsLastErrorString());
    return reason.isEmpty() ? QObject::tr("the print server reported an error") : reason;
}

QString SendDocument(http_t* http, const Job& job, int id) {
    if (cupsStartDocument(http, job.queue.constData(), id, job.title.constData(), CUPS_FORMAT_PDF,
                          1) != HTTP_STATUS_CONTINUE) {
        return LastError();
    }
    constexpr qsizetype kChunk = 64 * 1024;
    for (qsizetype at = 0; at < job.pdf.size(); at += kChunk) {
        const auto length = static_cast<size_t>(std::min(kChunk, job.pdf.size() - at));
        if (cupsWriteRequestData(http, job.pdf.constData() + at, length) != HTTP_STATUS_CONTINUE) {
            break;  // the server's answer below says why
        }
    }
    if (cupsFinishDocument(http, job.queue.constData()) > IPP_STATUS_OK_CONFLICTING) {
        return LastError();
    }
    return {};
}

// Tells the window the outcome; false when it no longer waits.
bool Report(Handover& handover, const QString& failure) {
    const std::lock_guard lock(handover.mutex);
    if (!handover.waiting) return false;
    handover.done = true;
    handover.failure = failure;
    QMetaObject::invokeMethod(handover.waiting, &QEventLoop::quit, Qt::QueuedConnection);
    return true;
}

bool StillWaited(Handover& handover) {
    const std::lock_guard lock(handover.mutex);
    return handover.waiting != nullptr;
}

// On the worker thread; every call blocks until the server answers.
void Submit(const Job& job, Handover& handover) {
    // libcups' password prompt is per thread, and this thread's default one
    // reads the terminal: a queue that wants a password refuses the job
    // instead, with the server's reason.
    cupsSetPasswordCB2([](const char*, http_t*, const char*, const char*,
                          void*) -> const char* { return nullptr; },
                       nullptr);
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                kAnswerSeconds * 1000, nullptr);
    if (!http) {
        Report(handover, QObject::tr("the print server could not be reached: %1")
                             .arg(QString::fromUtf8(cupsLastErrorString())));
        return;
    }
    cups_option_t* options = nullptr;
    int count = 0;
    for (const auto& [name, value] : job.options) {
        count = cupsAddOption(name.constData(), value.constData(), count, &options);
    }
    const int id =
        cupsCreateJob(http, job.queue.constData(), job.title.constData(), count, options);
    cupsFreeOptions(count, options);
    QString failure;
    if (id == 0) {
        failure = LastError();
    } else if (StillWaited(handover)) {
        failure = SendDocument(http, job, id);
    }
    const bool told = Report(handover, failure);
    // A job the window gave up on, or one the server took only in part, goes.
    if (id != 0 && (!told || !failure.isEmpty())) {
        cupsCancelJob2(http, job.queue.constData(), id, 0);
    }
    httpClose(http);
}

}  // namespace

QString HandToPrintServer(const QPrinter& printer, const QByteArray& pdf) {
    // The dialog names a printer instance as queue/instance; the server knows the queue.
    auto job =
        std::make_shared<const Job>(Job{printer.printerName().section('/', 0, 0).toLocal8Bit(),
                                        printer.docName().toUtf8(), OptionsOf(printer), pdf});
    auto handover = std::make_shared<Handover>();
    QEventLoop loop;
    handover->waiting = &loop;
    // Detached: a server that never answers keeps the thread, not the window.
    std::thread([job, handover] { Submit(*job, *handover); }).detach();
    QTimer::singleShot(kAnswerSeconds * 1000, &loop, &QEventLoop::quit);
    // Repaints go on; clicks and keys wait, so Print cannot start twice.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    const std::lock_guard lock(handover->mutex);
    handover->waiting = nullptr;
    if (!handover->done) {
        return QObject::tr("the print server did not answer within %1 seconds").arg(kAnswerSeconds);
    }
    return handover->failure;
}

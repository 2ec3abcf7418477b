// The job goes to the print server through libcups rather than through Qt's
// CUPS back end, which ignores the server's answer (a queue that refuses jobs
// loses the report without a word) and blocks the window for as long as the
// server does not answer. libcups blocks the thread that calls it, so the job
// is handed over on a thread of its own while the window waits with a time
// limit. The job is created held: it cannot print until the worker releases
// it, which it does only while the window still waits. A job the window gave
// up on is cancelled when the server answers again, and stays held (never
// printing) if the program ends first.

#include "printing/linux/print_server.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "printing/linux/cups_library.h"
#include "printing/print_progress.h"

namespace {

// How long the window waits for the server to take a job before it tells the
// user.
constexpr int kAnswerSeconds = 30;

using Options = QueueJob::Options;

struct Job {
    QByteArray queue;
    QByteArray title;
    Options options;
    QByteArray pdf;
};

// What the waiting window and the worker share. The window stops waiting by
// clearing `waiting`; the worker releases the job only while it is set.
struct Handover {
    std::mutex mutex;
    bool waiting = true;
    bool releasing = false;  // the release is on its way; its answer decides
    bool done = false;
    QString failure;
    bool unanswered = false;  // the release was sent and its answer never came
};

// Why the last call failed, in the user's words where libcups' status says
// what happened; otherwise the server's own text. libcups keeps the last
// error per thread: read it on the worker.
QString LastError(const CupsLibrary& cups, http_t* http) {
    switch (cups.cupsLastError()) {
        case IPP_STATUS_ERROR_NOT_FOUND:
        case IPP_STATUS_ERROR_GONE:
            return QObject::tr("the printer no longer exists");
        case IPP_STATUS_ERROR_REQUEST_ENTITY:
        case IPP_STATUS_ERROR_REQUEST_VALUE:  // libcups' name for HTTP's "too large"
        case IPP_STATUS_ERROR_TOO_MANY_JOBS:
            return QObject::tr("the print server has no room for the job");
        case IPP_STATUS_ERROR_INTERNAL:
        case IPP_STATUS_ERROR_SERVICE_UNAVAILABLE:
            if (http && cups.httpError(http) == ETIMEDOUT) {
                return QObject::tr("the print server stopped answering");
            }
            if (http && cups.httpError(http) != 0) {
                return QObject::tr("the connection to the print server was lost");
            }
            break;
        default:
            break;
    }
    const QString reason = QString::fromUtf8(cups.cupsLastErrorString());
    return reason.isEmpty() ? QObject::tr("the print server reported an error") : reason;
}

// libcups tells a queue deleted since the dialog listed it only as a missing
// file; the server's status for the queue says it plainly.
bool QueueGone(const CupsLibrary& cups, http_t* http, const Job& job) {
    ipp_t* request = cups.ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    const QByteArray uri = "ipp://localhost/printers/" + job.queue;
    cups.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                      uri.constData());
    cups.ippDelete(cups.cupsDoRequest(http, request, "/"));
    return cups.cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND;
}

http_t* Connect(const CupsLibrary& cups, int seconds) {
    return cups.httpConnect2(cups.cupsServer(), cups.ippPort(), nullptr, AF_UNSPEC,
                             cups.cupsEncryption(), 1, seconds * 1000, nullptr);
}

QString SendDocument(const CupsLibrary& cups, http_t* http, const Job& job, int id) {
    if (cups.cupsStartDocument(http, job.queue.constData(), id, job.title.constData(),
                               CUPS_FORMAT_PDF, 1) != HTTP_STATUS_CONTINUE) {
        return LastError(cups, http);
    }
    constexpr qsizetype kChunk = 64 * 1024;
    for (qsizetype at = 0; at < job.pdf.size(); at += kChunk) {
        const auto length = static_cast<size_t>(std::min(kChunk, job.pdf.size() - at));
        if (cups.cupsWriteRequestData(http, job.pdf.constData() + at, length) !=
            HTTP_STATUS_CONTINUE) {
            break;  // the server's answer below says why
        }
    }
    if (cups.cupsFinishDocument(http, job.queue.constData()) > IPP_STATUS_OK_CONFLICTING) {
        return LastError(cups, http);
    }
    return {};
}

// Lets a held job print. Sets `unanswered` when the request went out but no
// answer came back (a lost connection, a timeout): the server may have
// released the job, so it can no longer be called failed. Only an answer
// refuses: the server's status, or HTTP's word that the user may not.
QString Release(const CupsLibrary& cups, http_t* http, int id, bool& unanswered) {
    ipp_t* request = cups.ippNewRequest(IPP_OP_RELEASE_JOB);
    const QByteArray uri = "ipp://localhost/jobs/" + QByteArray::number(id);
    cups.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    cups.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                      cups.cupsUser());
    ipp_t* answer = cups.cupsDoRequest(http, request, "/jobs/");
    const ipp_status_t status = cups.cupsLastError();
    const bool refused = status == IPP_STATUS_ERROR_NOT_AUTHORIZED ||
                         status == IPP_STATUS_ERROR_FORBIDDEN ||
                         status == IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED;
    unanswered = answer == nullptr && !refused;
    cups.ippDelete(answer);
    if (unanswered) {
        return QObject::tr("the print server took the report but did not confirm it: %1")
            .arg(cups.httpError(http) == ETIMEDOUT
                     ? QObject::tr("the print server stopped answering")
                     : QObject::tr("the connection to the print server was lost"));
    }
    return status > IPP_STATUS_OK_CONFLICTING ? LastError(cups, http) : QString();
}

// Over a new connection when the job's own one is broken, again while the
// server is silent; a held job that could not be cancelled still never prints.
void Cancel(const CupsLibrary& cups, http_t* http, const Job& job, int id) {
    constexpr int kTries = 10;
    for (int i = 0; i < kTries; ++i) {
        http_t* fresh = i == 0 ? http : Connect(cups, kAnswerSeconds);
        const ipp_status_t status = fresh ? cups.cupsCancelJob2(fresh, job.queue.constData(), id, 0)
                                          : IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
        if (fresh && fresh != http) cups.httpClose(fresh);
        if (status < IPP_STATUS_ERROR_INTERNAL) return;  // cancelled, or already gone
        if (!fresh) std::this_thread::sleep_for(std::chrono::seconds(1));
    }
}

// Tells the window the outcome; nothing when it no longer waits.
void Report(Handover& handover, const QString& failure, bool unanswered = false) {
    const std::lock_guard lock(handover.mutex);
    handover.done = true;
    handover.failure = failure;
    handover.unanswered = unanswered;
}

bool StillWaited(Handover& handover) {
    const std::lock_guard lock(handover.mutex);
    return handover.waiting;
}

// Marks the release as under way, while the window still waits.
bool BeginRelease(Handover& handover) {
    const std::lock_guard lock(handover.mutex);
    handover.releasing = handover.waiting;
    return handover.releasing;
}

// On the worker thread; every call blocks until the server answers.
void Submit(const CupsLibrary& cups, const Job& job, Handover& handover) {
    // libcups' password prompt is per thread, and this thread's default one
    // reads the terminal: a queue that wants a password refuses the job
    // instead, with the server's reason.
    cups.cupsSetPasswordCB2([](const char*, http_t*, const char*, const char*,
                               void*) -> const char* { return nullptr; },
                            nullptr);
    http_t* http = Connect(cups, kAnswerSeconds);
    if (!http) {
        Report(handover, QObject::tr("the print server could not be reached: %1")
                             .arg(QString::fromUtf8(cups.cupsLastErrorString())));
        return;
    }
    cups_option_t* options = nullptr;
    int count = 0;
    for (const auto& [name, value] : job.options) {
        count = cups.cupsAddOption(name.constData(), value.constData(), count, &options);
    }
    const int id =
        cups.cupsCreateJob(http, job.queue.constData(), job.title.constData(), count, options);
    cups.cupsFreeOptions(count, options);
    if (id == 0) {
        const QString reason = LastError(cups, http);
        Report(handover,
               QueueGone(cups, http, job) ? QObject::tr("the printer no longer exists") : reason);
    } else {
        QString failure;
        if (StillWaited(handover)) failure = SendDocument(cups, http, job, id);
        const bool release = failure.isEmpty() && BeginRelease(handover);
        bool unanswered = false;
        if (release) failure = Release(cups, http, id, unanswered);
        Report(handover, failure, unanswered);
        // A job the window gave up on, one the server took only in part, or
        // one whose release it refused, goes; until then it is held and
        // cannot print. A release without an answer may have let it print:
        // it is left to the server.
        if (!unanswered && (!release || !failure.isEmpty())) Cancel(cups, http, job, id);
    }
    cups.httpClose(http);
}

}  // namespace

HandOver HandToPrintServer(const QueueJob& queueJob, const QByteArray& pdf, PrintProgress& progress,
                           std::shared_ptr<const CupsLibrary> cups) {
    using Outcome = HandOver::Outcome;
    if (!cups) cups = LoadCups();
    if (!cups)
        return {Outcome::Failed, QObject::tr("the printing system (libcups) is not installed")};
    // The dialog names a printer instance as queue/instance; the server knows the queue.
    Options options = queueJob.options;
    // Held until the window has heard that the whole document arrived.
    options.emplace_back("job-hold-until", "indefinite");
    auto job = std::make_shared<const Job>(Job{queueJob.queue.section('/', 0, 0).toLocal8Bit(),
                                               queueJob.title.toUtf8(), std::move(options), pdf});
    auto handover = std::make_shared<Handover>();
    // Detached: a server that never answers keeps the thread, not the window.
    std::thread([cups, job, handover] { Submit(*cups, *job, *handover); }).detach();
    const PrintProgress::Outcome waited = progress.Wait(
        [&] {
            const std::lock_guard lock(handover->mutex);
            return handover->done;
        },
        [] { return PrintProgress::Status{QObject::tr("Sending the report to the printer...")}; },
        kAnswerSeconds * 1000);
    const std::lock_guard lock(handover->mutex);
    handover->waiting = false;
    if (handover->done) {
        if (handover->failure.isEmpty()) return {Outcome::Accepted, {}};
        if (handover->unanswered) return {Outcome::Unconfirmed, handover->failure};
        return {Outcome::Failed, handover->failure};
    }
    if (handover->releasing) {
        return {Outcome::Unconfirmed,
                QObject::tr("the print server took the report but did not confirm it within "
                            "%1 seconds")
                    .arg(kAnswerSeconds)};
    }
    if (waited == PrintProgress::Outcome::Cancelled) return {Outcome::Cancelled, {}};
    return {Outcome::Failed,
            QObject::tr("the print server did not answer within %1 seconds").arg(kAnswerSeconds)};
}

// End to end: the window with the real print dialog and message boxes hands
// the report to a private print server (cupsd with its own configuration,
// spool and socket) holding PDF queues: "good", paused so the job stays to be
// read, "bad", which refuses jobs, "gone", deleted while the dialog is open,
// and "live", which prints into /dev/null. Then the server is stopped while
// the document arrives, and the job the window gave up on must never print;
// and stopped before Print Results, when the dialog must say so within
// seconds and still print to a PDF file. Last, the answer to the job's
// release is lost on its way back: not confirmed, never failed.

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "printing/linux/cups_library.h"
#include "printing/linux/print_server.h"
#include "printing/print_progress.h"
#include "printing/report_printer.h"
#include "window/form1.h"

// Messages read in failures.
void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace {

// One attribute of a job, asked over a connection of its own, read by `read`.
template <typename Read>
auto JobAttributeRead(const QByteArray& uri, const char* name, Read read) {
    http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                                5000, nullptr);
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.constData());
    ipp_t* answer = cupsDoRequest(http, request, "/");
    const auto value = read(ippFindAttribute(answer, name, IPP_TAG_ZERO));
    ippDelete(answer);
    httpClose(http);
    return value;
}
QString JobAttribute(const QByteArray& uri, const char* name) {
    return JobAttributeRead(uri, name, [](ipp_attribute_t* attribute) {
        char text[256] = "";
        ippAttributeString(attribute, text, sizeof text);
        return QString::fromUtf8(text);
    });
}
ipp_jstate_t JobState(const QByteArray& uri) {  // 0: no such job
    return JobAttributeRead(uri, "job-state", [](ipp_attribute_t* attribute) {
        return static_cast<ipp_jstate_t>(ippGetInteger(attribute, 0));
    });
}

QString Output(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

void Write(const QString& path, const QString& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

// Stands between the clients and the server on a socket of its own and passes
// every byte on, so that the test can stop the server at an exact point of a
// request, however late a watcher of its log would run on a busy machine.
class Door {
  public:
    Door(const QString& front, const QString& back) : back_(back.toLocal8Bit()) {
        listener_ = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address = Address(front.toLocal8Bit());
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listener_, 64);
        thread_ = std::thread([this] { Pass(); });
    }
    ~Door() {
        open_ = false;
        thread_.join();
        close(listener_);
    }
    // Calls `stop` once, before the server gets the whole start of a request
    // for `operation`.
    void StopBefore(ipp_op_t operation, std::function<void()> stop) {
        const std::lock_guard lock(mutex_);
        operation_ = operation;
        stop_ = std::move(stop);
    }

  private:
    struct Connection {
        int client;
        int server;
        QByteArray sent;  // by the client, to find requests in
    };
    static sockaddr_un Address(const QByteArray& path) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, path.constData(), sizeof address.sun_path);
        return address;
    }
    static bool WriteAll(int fd, const char* data, ssize_t size) {
        for (ssize_t written = 0; size > 0; data += written, size -= written) {
            written = send(fd, data, static_cast<size_t>(size), MSG_NOSIGNAL);
            if (written <= 0) return false;
        }
        return true;
    }
    // Every IPP request starts: version (2 bytes), operation (2), request id
    // (4), the operation group's tag, then its first attribute, the charset.
    void Look(const QByteArray& sent, qsizetype from) {
        static const QByteArray charset(
            "\x01\x47\x00\x12"
            "attributes-charset",
            22);
        const std::lock_guard lock(mutex_);
        for (qsizetype at = from; stop_ && (at = sent.indexOf(charset, at)) >= 8; ++at) {
            if (((uchar(sent[at - 6]) << 8) | uchar(sent[at - 5])) == operation_) {
                std::exchange(stop_, {})();
            }
        }
    }
    void Pass() {
        std::vector<Connection> connections;
        char buffer[64 * 1024];
        while (open_) {
            std::vector<pollfd> fds{{listener_, POLLIN, 0}};
            for (const Connection& c : connections) {
                fds.push_back({c.client, POLLIN, 0});
                fds.push_back({c.server, POLLIN, 0});
            }
            if (poll(fds.data(), fds.size(), 20) <= 0) continue;
            std::vector<Connection> open;
            for (size_t i = 0; i < connections.size(); ++i) {
                Connection& c = connections[i];
                bool alive = true;
                if (fds[1 + 2 * i].revents) {
                    const ssize_t got = read(c.client, buffer, sizeof buffer);
                    if (got > 0) {
                        c.sent.append(buffer, got);
                        Look(c.sent, std::max<qsizetype>(0, c.sent.size() - got - 32));
                    }
                    alive = got > 0 && WriteAll(c.server, buffer, got);
                }
                if (alive && fds[2 + 2 * i].revents) {
                    const ssize_t got = read(c.server, buffer, sizeof buffer);
                    alive = got > 0 && WriteAll(c.client, buffer, got);
                }
                if (alive) {
                    open.push_back(std::move(c));
                } else {
                    close(c.client);
                    close(c.server);
                }
            }
            if (fds[0].revents & POLLIN) {
                const int client = accept(listener_, nullptr, nullptr);
                const int server = socket(AF_UNIX, SOCK_STREAM, 0);
                sockaddr_un address = Address(back_);
                connect(server, reinterpret_cast<sockaddr*>(&address), sizeof address);
                open.push_back({client, server, {}});
            }
            connections = std::move(open);
        }
        for (const Connection& c : connections) close(c.client), close(c.server);
    }

    QByteArray back_;
    int listener_;
    std::atomic<bool> open_ = true;
    std::mutex mutex_;
    ipp_op_t operation_ = IPP_OP_CUPS_NONE;
    std::function<void()> stop_;
    std::thread thread_;
};

// A print server of the test's own: configuration, spool, logs and socket in
// a temporary folder, never the machine's. Clients find it through
// CUPS_SERVER, at its door.
class PrivateServer {
  public:
    explicit PrivateServer(const QStringList& queues)
        : door_(dir_.path() + "/door.sock", dir_.path() + "/cups.sock") {
        const QString root = dir_.path();
        for (const char* sub : {"spool", "cache", "state", "tmp", "log"}) QDir(root).mkdir(sub);
        QFile::setPermissions(root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                        QFile::ReadOther | QFile::ExeOther);
        Write(root + "/cupsd.conf", QString("Listen %1/cups.sock\nBrowsing No\nWebInterface No\n"
                                            "LogLevel debug\n"
                                            "PreserveJobFiles Yes\nDefaultPolicy open\n"
                                            "<Policy open>\n<Limit All>\nOrder deny,allow\n"
                                            "</Limit>\n</Policy>\n")
                                        .arg(root));
        Write(root + "/cups-files.conf",
              QString("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir "
                      "%1/state\nTempDir %1/tmp\nErrorLog %1/log/error_log\nAccessLog "
                      "%1/log/access_log\nPageLog %1/log/page_log\nFileDevice Yes\n")
                  .arg(root));
        formerServer_ = qgetenv("CUPS_SERVER");
        qputenv("CUPS_SERVER", (root + "/door.sock").toLocal8Bit());
        cupsSetServer(nullptr);  // libcups keeps the server it found per thread
        cupsd_.start("/usr/sbin/cupsd",
                     {"-f", "-c", root + "/cupsd.conf", "-s", root + "/cups-files.conf"});
        EXPECT_TRUE(cupsd_.waitForStarted());
        EXPECT_TRUE(QTest::qWaitFor(
            [] { return Output("lpstat", {"-r"}).startsWith("scheduler is running"); }, 30000))
            << "the private print server did not start within 30 s";
        for (const QString& queue : queues) {
            Output("lpadmin",
                   {"-p", queue, "-v", queue == "live" ? "file:///dev/null" : "cups-pdf:/", "-E",
                    "-m", "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"});
        }
    }
    ~PrivateServer() {
        kill(Pid(), SIGCONT);
        cupsd_.terminate();
        cupsd_.waitForFinished();
        qputenv("CUPS_SERVER", formerServer_);
        cupsSetServer(nullptr);
    }
    QString Root() const { return dir_.path(); }
    pid_t Pid() const { return static_cast<pid_t>(cupsd_.processId()); }
    Door& Entrance() { return door_; }

  private:
    QTemporaryDir dir_;
    Door door_;
    QProcess cupsd_;
    QByteArray formerServer_;
};

// The window shown with a report long enough for a stop to come while it
// arrives at the server.
void ShowWithLongReport(Form1& form) {
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    auto* list = form.findChild<QListWidget*>("lstResults");
    QStringList lines;  // at once: each line added one by one renumbers all the others
    for (int i = 1; i <= 1000; ++i) lines << QString("Stored result number %1").arg(i);
    list->addItems(lines);
}

// Stops the server before it gets the request that sends the document
// (Send-Document): the window waits on a server that took the job but not
// its document.
class StopAtSendDocument {
  public:
    explicit StopAtSendDocument(PrivateServer& server) : server_(server) {
        server.Entrance().StopBefore(IPP_OP_SEND_DOCUMENT, [this, pid = server.Pid()] {
            kill(pid, SIGSTOP);
            stoppedAt_ = Now();
        });
    }
    ~StopAtSendDocument() { Join(); }
    void Join() { server_.Entrance().StopBefore(IPP_OP_CUPS_NONE, {}); }
    bool Stopped() const { return stoppedAt_ > 0; }
    qint64 MsSinceStopped() const { return Now() - stoppedAt_; }

  private:
    static qint64 Now() {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    PrivateServer& server_;
    std::atomic<qint64> stoppedAt_ = 0;
};

TEST(PrintQueue, TheServerTakesANamedJobOrTheWindowSaysWhyNot) {
    PrivateServer server({"good", "bad", "gone", "live"});
    const QString root = server.Root();
    Output("cupsdisable", {"good"});
    Output("cupsreject", {"bad"});

    Form1 form(QtPlatform());
    ShowWithLongReport(form);

    // Picks the queue in the open dialog once the server has listed it, and
    // presses Print; with no queue to pick, waits until the dialog says that
    // the server is silent and prints to a file. Message boxes are read and
    // closed; in between, counts the turns of the window's event loop that
    // show the busy cursor, and those of the dialog's while it waits.
    QString queue;
    int busyTurns = 0;
    int dialogTurns = 0;
    std::function<void()> choosing = [] {};
    QStringList messages;
    QString silence;
    QString lateChoice;
    QElapsedTimer sinceAccepted;
    QElapsedTimer pressed;
    qint64 toldAfter = 0;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (auto* printers = dialog ? dialog->findChild<QComboBox*>("printers") : nullptr) {
            ++dialogTurns;
            if (queue.isEmpty()) {
                auto* status = dialog->findChild<QLabel*>("serverStatus");
                if (silence.isEmpty()) {
                    if (!status->isVisible() || !status->text().contains("did not answer")) return;
                    silence = status->text();
                    toldAfter = pressed.elapsed();
                    // A screen reader is told the same, as a notification.
                    EXPECT_EQ(dialog->findChild<QLabel*>("announcer")->text(), silence);
                    kill(server.Pid(), SIGCONT);
                    return;
                }
                // The server answers late: its printers join the list, and
                // the file the dialog offered stays chosen.
                if (printers->findText("live") < 0) return;
                lateChoice = printers->currentText();
                dialog->findChild<QLineEdit*>("filename")->setText(root + "/saved.pdf");
            } else {
                const int at = printers->findText(queue);
                if (at < 0) return;
                printers->setCurrentIndex(at);
                choosing();
            }
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            sinceAccepted.start();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages << box->windowTitle() + ": " + box->text();
            box->accept();
        } else if (QGuiApplication::overrideCursor()) {
            busyTurns += QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        }
    });
    user.start(20);
    auto* print = form.findChild<QPushButton*>("cmdPrint");

    // The options the server offers for the queue, chosen in the dialog,
    // reach the job.
    queue = "good";
    QStringList offered;
    choosing = [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* paper = dialog->findChild<QComboBox*>("paperSize");
        for (int i = 0; i < paper->count(); ++i) offered << paper->itemData(i).toString();
        paper->setCurrentIndex(paper->findData("na_legal_8.5x14in"));
        dialog->findChild<QSpinBox*>("copies")->setValue(2);
    };
    QTest::mouseClick(print, Qt::LeftButton);
    choosing = [] {};
    EXPECT_TRUE(offered.contains("na_legal_8.5x14in")) << offered.join(" ").toStdString();
    EXPECT_EQ(JobAttribute("ipp://localhost/jobs/1", "media"), "na_legal_8.5x14in");
    EXPECT_EQ(JobAttribute("ipp://localhost/jobs/1", "copies"), "2");
    EXPECT_LT(sinceAccepted.elapsed(), 5000);
    EXPECT_EQ(messages, QStringList());
    // What a screen reader hears: the queue and the pages of the job.
    EXPECT_TRUE(QRegularExpression("^Report sent to good, [1-9][0-9]* pages$")
                    .match(form.findChild<QLabel*>("announcer")->text())
                    .hasMatch());
    const QStringList jobs = Output("lpstat", {"-l", "-o", "good"}).split("\n", Qt::SkipEmptyParts);
    EXPECT_EQ(jobs.filter("good-").size(), 1) << jobs.join("\n").toStdString();
    EXPECT_EQ(jobs.filter("hold").size(), 0);  // held by the paused queue, not by the program
    EXPECT_TRUE(Output("lpq", {"-P", "good"}).contains(" Vevari Radidu Zezareruze Report "));
    const QStringList spooled = QDir(root + "/spool").entryList({"d*"});
    ASSERT_EQ(spooled.size(), 1);
    const QString text = Output("pdftotext", {"-layout", root + "/spool/" + spooled[0], "-"});
    EXPECT_TRUE(text.contains("Calculations:"));
    int found = 0;
    for (int i = 1; i <= 1000; ++i) found += text.contains(QString("number %1\n").arg(i));
    EXPECT_EQ(found, 1000);

    queue = "bad";
    QTest::mouseClick(print, Qt::LeftButton);
    EXPECT_EQ(messages, QStringList({"Print Failed: The report could not be printed: "
                                     "Destination \"bad\" is not accepting jobs."}));

    messages.clear();
    queue = "gone";
    choosing = [] { Output("lpadmin", {"-x", "gone"}); };
    QTest::mouseClick(print, Qt::LeftButton);
    choosing = [] {};
    EXPECT_EQ(messages, QStringList({"Print Failed: The report could not be printed: "
                                     "the printer no longer exists."}));

    // Stopped as the document starts to arrive; the window gives up after
    // its time limit, and the job must not print once the server goes on.
    messages.clear();
    queue = "live";
    const pid_t pid = server.Pid();
    StopAtSendDocument stop(server);
    QTest::mouseClick(print, Qt::LeftButton);
    const qint64 told = stop.MsSinceStopped();
    stop.Join();
    kill(pid, SIGCONT);
    // libcups may give up on the silent server first; either way the window
    // says so within its limit.
    EXPECT_TRUE(stop.Stopped());
    EXPECT_LT(told, 32500);     // its 30 s, with room for a loaded machine
    EXPECT_GT(busyTurns, 500);  // every 20 ms: the window did not freeze
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Print Failed: The report could not be printed: the "))
        << messages[0].toStdString();
    // Once the server has cancelled the job it can never print; had it been
    // released first, its filter would have started before.
    QString log;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return (log = Output("cat", {root + "/log/error_log"})).contains("canceled by"); },
        30000))
        << "the held job was not cancelled within 30 s of the server going on";
    EXPECT_EQ(Output("lpstat", {"-o", "live"}), "");
    EXPECT_FALSE(log.contains("Started filter") || log.contains("Job completed"));  // never printed

    // Silent before Print Results: the dialog opens at once, says so within
    // seconds while it keeps turning, and prints to a PDF file; the server
    // goes on once told, and its late list changes no choice.
    messages.clear();
    dialogTurns = 0;
    queue.clear();
    kill(pid, SIGSTOP);
    pressed.start();
    QTest::mouseClick(print, Qt::LeftButton);
    kill(pid, SIGCONT);
    EXPECT_GT(toldAfter, 2500);  // its 3 s
    EXPECT_LT(toldAfter, 5000);  // with room for a loaded machine
    EXPECT_GT(dialogTurns, 50);  // every 20 ms: the dialog did not freeze
    EXPECT_EQ(silence,
              "The print server did not answer within 3 seconds, so its printers cannot "
              "be listed. The report can still be printed to a PDF file.");
    EXPECT_EQ(lateChoice, "Print to File (PDF)");
    EXPECT_EQ(messages, QStringList());
    EXPECT_TRUE(Output("pdftotext", {root + "/saved.pdf", "-"}).contains("number 1000"));
}

// The window closed during a hand-over, the server stopped as the document
// arrives: the program's loop ends within seconds, and the job never prints
// once the server goes on.
TEST(PrintQueue, ClosingTheWindowDuringAHandOverEndsAtOnceAndNothingPrints) {
    PrivateServer server({"live"});
    Form1 form(QtPlatform());
    ShowWithLongReport(form);
    StopAtSendDocument stop(server);
    QElapsedTimer sinceClosed;
    bool closedWhilePrinting = false;
    bool printed = false;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        if (stop.Stopped() && !sinceClosed.isValid()) {
            closedWhilePrinting = QGuiApplication::overrideCursor() != nullptr;
            sinceClosed.start();
            form.close();
            return;
        }
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* printers = dialog ? dialog->findChild<QComboBox*>("printers") : nullptr;
        if (printed || !printers || printers->findText("live") < 0) return;
        printed = true;
        printers->setCurrentIndex(printers->findText("live"));
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    user.start(20);
    QTimer::singleShot(0, [&] { form.findChild<QPushButton*>("cmdPrint")->click(); });
    QApplication::exec();
    const qint64 ended = sinceClosed.elapsed();
    user.stop();
    stop.Join();
    kill(server.Pid(), SIGCONT);
    ASSERT_TRUE(sinceClosed.isValid()) << "the server was never stopped at the hand-over";
    ASSERT_TRUE(closedWhilePrinting) << "the hand-over had ended before the server was stopped";
    EXPECT_LT(ended, 3000);
    // The job the window gave up on is cancelled once the server answers;
    // until then it is held.
    ipp_jstate_t state = IPP_JSTATE_HELD;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return (state = JobState("ipp://localhost/jobs/1")) == IPP_JSTATE_CANCELED; }, 40000))
        << "awaited job 1 cancelled for 40 s; its state: " << state;
}

// libcups with one fault: the connection breaks after the server has acted on
// the request to release the job and before its answer is read.
ipp_t* ReleaseAnswerLost(http_t* http, ipp_t* request, const char* resource) {
    if (ippGetOperation(request) != IPP_OP_RELEASE_JOB) {
        return cupsDoRequest(http, request, resource);
    }
    const QByteArray uri =
        ippGetString(ippFindAttribute(request, "job-uri", IPP_TAG_URI), 0, nullptr);
    cupsSendRequest(http, request, resource, ippLength(request));
    httpFlushWrite(http);
    ippDelete(request);
    QElapsedTimer waited;
    waited.start();
    while (JobState(uri) == IPP_JSTATE_HELD && waited.elapsed() < 20000) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    // The socket now reads as one the server has closed.
    int ends[2];
    socketpair(AF_UNIX, SOCK_STREAM, 0, ends);
    close(ends[1]);
    dup2(ends[0], httpGetFd(http));
    close(ends[0]);
    return cupsGetResponse(http, resource);
}

// The server released the job and printed it; only its answer was lost. The
// window may not call that a failure.
TEST(PrintQueue, AReleaseWhoseAnswerIsLostIsNotConfirmedRatherThanFailed) {
    PrivateServer server({"live"});
    auto cups = std::make_shared<CupsLibrary>(*LoadCups());
    cups->cupsDoRequest = ReleaseAnswerLost;
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        QPainter painter(&writer);
        painter.drawText(100, 100, "A report whose release is not answered");
    }
    PrintProgress progress(nullptr);
    const HandOver handed = HandToPrintServer({"live", "Lost answer", {}}, pdf, progress, cups);
    EXPECT_EQ(handed.outcome, HandOver::Outcome::Unconfirmed) << handed.reason.toStdString();
    EXPECT_EQ(handed.reason.toStdString(),
              "the print server took the report but did not confirm it: the connection to the "
              "print server was lost");
    // The server let the job go, and the program did not take it back.
    const ipp_jstate_t state = JobState("ipp://localhost/jobs/1");
    EXPECT_NE(state, IPP_JSTATE_HELD);
    EXPECT_NE(state, IPP_JSTATE_CANCELED);
    EXPECT_NE(state, 0) << "no job 1";
}

}  // namespace

// End to end: the window with the real print dialog and message boxes hands
// the report to a private print server (cupsd with its own configuration,
// spool and socket) holding PDF queues: "good", paused so the job stays to be
// read, "bad", which refuses jobs, "gone", deleted while the dialog is open,
// and "live", which prints into /dev/null. Then the server is stopped while
// the document arrives, and the job the window gave up on must never print;
// and stopped before Print Results, when the window must say so at once and
// offer a PDF file instead.

#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <functional>
#include <thread>

#include "printing/report_printer.h"
#include "window/form1.h"

// Messages read in failures.
void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace {

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

TEST(PrintQueue, TheServerTakesANamedJobOrTheWindowSaysWhyNot) {
    QTemporaryDir dir;
    const QString root = dir.path();
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
          QString("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                  "TempDir %1/tmp\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                  "PageLog %1/log/page_log\nFileDevice Yes\n")
              .arg(root));
    qputenv("CUPS_SERVER", (root + "/cups.sock").toLocal8Bit());
    QProcess cupsd;
    cupsd.start("/usr/sbin/cupsd",
                {"-f", "-c", root + "/cupsd.conf", "-s", root + "/cups-files.conf"});
    ASSERT_TRUE(cupsd.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor(
        [] { return Output("lpstat", {"-r"}).startsWith("scheduler is running"); }, 30000))
        << "the private print server did not start within 30 s";
    for (const char* queue : {"good", "bad", "gone", "live"}) {
        Output("lpadmin",
               {"-p", queue, "-v", queue == QString("live") ? "file:///dev/null" : "cups-pdf:/",
                "-E", "-m", "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"});
    }
    Output("cupsdisable", {"good"});
    Output("cupsreject", {"bad"});

    Form1 form(QtPlatform());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    auto* list = form.findChild<QListWidget*>("lstResults");
    for (int i = 1; i <= 1000; ++i) list->addItem(QString("Stored result number %1").arg(i));

    // Picks the queue in the open dialog and presses Print; message boxes
    // are read and closed; in between, counts the turns of the window's event
    // loop that show the busy cursor.
    QString queue;
    int busyTurns = 0;
    std::function<void()> choosing = [] {};
    QStringList messages;
    QElapsedTimer sinceAccepted;
    QElapsedTimer pressed;
    qint64 toldAfter = 0;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QPrintDialog*>(modal)) {
            EXPECT_TRUE(dialog->findChild<QWidget*>("pagesLineEdit")->isHidden());
            auto* printers = dialog->findChild<QComboBox*>("printers");
            printers->setCurrentIndex(printers->findText(queue));
            choosing();
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            sinceAccepted.start();
        } else if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            files->findChild<QLineEdit*>("fileNameEdit")->setText(root + "/saved.pdf");
            QMetaObject::invokeMethod(files, "accept");
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages << box->windowTitle() + ": " + box->text();
            toldAfter = pressed.elapsed();
            if (auto* save = box->button(QMessageBox::Save)) {
                save->click();
            } else {
                box->accept();
            }
        } else if (QGuiApplication::overrideCursor()) {
            busyTurns += QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        }
    });
    user.start(20);
    auto* print = form.findChild<QPushButton*>("cmdPrint");

    queue = "good";
    QTest::mouseClick(print, Qt::LeftButton);
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
    const auto pid = static_cast<pid_t>(cupsd.processId());
    std::atomic<bool> watching = true;
    std::atomic<qint64> stoppedAt = 0;
    std::thread watcher([&] {
        QFile log(root + "/log/error_log");
        log.open(QIODevice::ReadOnly);
        log.seek(log.size());
        // The request after Create-Job's answer (Send-Document), logged as
        // it arrives, before its document is read.
        QByteArray seen;
        while (watching) {
            seen += log.readAll();
            const qsizetype created = seen.indexOf("successful-ok for Create-Job");
            if (created >= 0 && seen.indexOf("POST /printers/live ", created) >= 0) {
                kill(pid, SIGSTOP);
                stoppedAt = sinceAccepted.elapsed();
                return;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    });
    QTest::mouseClick(print, Qt::LeftButton);
    const qint64 told = sinceAccepted.elapsed();
    watching = false;
    watcher.join();
    kill(pid, SIGCONT);
    // libcups may give up on the silent server first; either way the window
    // says so within its limit.
    EXPECT_GT(stoppedAt, 0);
    EXPECT_LT(told - stoppedAt, 32500);  // its 30 s, with room for a loaded machine
    EXPECT_GT(busyTurns, 500);           // every 20 ms: the window did not freeze
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

    // Silent before Print Results: told within seconds, the window turning,
    // and the report saved as a PDF file instead.
    messages.clear();
    busyTurns = 0;
    kill(pid, SIGSTOP);
    pressed.start();
    QTest::mouseClick(print, Qt::LeftButton);
    kill(pid, SIGCONT);
    EXPECT_LT(toldAfter, 5000);  // its 3 s, with room for a loaded machine
    EXPECT_GT(busyTurns, 100);
    EXPECT_EQ(messages, QStringList({"Print Failed: The report could not be printed: the print "
                                     "server did not answer within 3 seconds.\n\nSave the report "
                                     "as a PDF file instead?"}));
    EXPECT_TRUE(Output("pdftotext", {root + "/saved.pdf", "-"}).contains("number 1000"));
    cupsd.terminate();
    cupsd.waitForFinished();
}

}  // namespace

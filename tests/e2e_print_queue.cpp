// End to end: the window with the real print dialog and message boxes hands
// the report to a private print server (cupsd with its own configuration,
// spool and socket) holding two PDF queues: "good", paused so the job stays
// to be read, and "bad", which refuses jobs. Then the server is stopped while
// the job is handed over and the window must say so within its time limit.

#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "window/form1.h"
#include "printing/report_printer.h"

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
                                        "PreserveJobFiles Yes\nDefaultPolicy open\n"
                                        "<Policy open>\n<Limit All>\nOrder deny,allow\n"
                                        "</Limit>\n</Policy>\n")
                                    .arg(root));
    Write(root + "/cups-files.conf",
          QString("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\nStateDir %1/state\n"
                  "TempDir %1/tmp\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                  "PageLog %1/log/page_log\n")
              .arg(root));
    qputenv("CUPS_SERVER", (root + "/cups.sock").toLocal8Bit());
    QProcess cupsd;
    cupsd.start("/usr/sbin/cupsd",
                {"-f", "-c", root + "/cupsd.conf", "-s", root + "/cups-files.conf"});
    ASSERT_TRUE(cupsd.waitForStarted());
    for (int i = 0; i < 100 && !Output("lpstat", {"-r"}).startsWith("scheduler is running"); ++i) {
        QTest::qWait(50);
    }
    for (const char* queue : {"good", "bad"}) {
        Output("lpadmin",
               {"-p", queue, "-v", "cups-pdf:/", "-E", "-m", "lsb/usr/cups-pdf/CUPS-PDF_opt.ppd"});
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
    std::function<void()> accepted = [] {};
    QStringList messages;
    QElapsedTimer sinceAccepted;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QPrintDialog*>(modal)) {
            EXPECT_TRUE(dialog->findChild<QWidget*>("pagesLineEdit")->isHidden());
            auto* printers = dialog->findChild<QComboBox*>("printers");
            printers->setCurrentIndex(printers->findText(queue));
            dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            sinceAccepted.start();
            accepted();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages << box->windowTitle() + ": " + box->text();
            box->accept();
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
    queue = "good";
    // Stopped once the dialog is done with it: Qt's dialog itself asks the
    // server about the chosen printer when Print is pressed.
    accepted = [&] { kill(static_cast<pid_t>(cupsd.processId()), SIGSTOP); };
    QTest::mouseClick(print, Qt::LeftButton);
    const qint64 told = sinceAccepted.elapsed();
    kill(static_cast<pid_t>(cupsd.processId()), SIGCONT);
    EXPECT_GE(told, 29000);
    EXPECT_LT(told, 32000);
    EXPECT_GT(busyTurns, 500);  // every 20 ms: the window did not freeze
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(
        messages[0].startsWith("Print Failed: The report could not be printed: the print "
                               "server did not answer"))
        << messages[0].toStdString();
    // Once the server answers again, the job it was handed goes away.
    QStringList left;
    for (int i = 0;
         i < 100 &&
         (left = Output("lpstat", {"-o", "good"}).split("\n", Qt::SkipEmptyParts)).size() != 1;
         ++i) {
        QTest::qWait(100);
    }
    EXPECT_EQ(left.size(), 1) << left.join("\n").toStdString();
    cupsd.terminate();
    cupsd.waitForFinished();
}

}  // namespace

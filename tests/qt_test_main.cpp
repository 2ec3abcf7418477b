// main() for the Qt test programs: offscreen unless a display is asked for,
// a pinned locale, and private temporary folders: home, the XDG folders and
// the runtime folder. A program started by hand rather than through CTest
// still meets no print server of the machine's.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QTemporaryDir>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
    QTemporaryDir home;
    QFile::setPermissions(home.path(), ownerOnly);
    const QDir dir(home.path());
    qputenv("HOME", home.path().toLocal8Bit());
    for (const char* folder : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME",
                               "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
        dir.mkdir(folder);
        QFile::setPermissions(dir.filePath(folder), ownerOnly);
        qputenv(folder, dir.filePath(folder).toLocal8Bit());
    }
    if (qEnvironmentVariableIsEmpty("CUPS_SERVER")) {
        qputenv("CUPS_SERVER", dir.filePath("no-print-server.sock").toLocal8Bit());
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

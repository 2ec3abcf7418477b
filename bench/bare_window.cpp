// The least a Qt 6 window program can do: the floor the calculator's start-up
// and memory are compared with.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Bare Qt Window");
    window.resize(460, 474);
    window.show();
    return app.exec();
}

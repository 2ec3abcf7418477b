// A bare Qt 6 window with one label: what drawing any text at all adds to the
// floor (fontconfig's set-up, a font engine, glyphs). Shown beside the
// calculator's start-up figures to tell that cost from the calculator's own.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Text Qt Window");
    window.resize(460, 474);
    QLabel label("Disclaimer: This calculator should be used for estimation purposes only.",
                 &window);
    window.show();
    return app.exec();
}

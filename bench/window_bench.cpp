// The window through its real widgets, offscreen, with a message-box double
// and the real Qt printer service writing PDF files.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

#include "printing/report_printer.h"
#include "window/form1.h"

namespace {

class SilentMessages : public MessageService {
  public:
    void ShowMessage(QWidget*, const QString&, const QString&) override {}
};

class PdfDialog : public PrintDialogService {
  public:
    explicit PdfDialog(QString path) : path_(std::move(path)) {}
    void SetCancelError(bool) override {}
    void SetCopies(std::int16_t) override {}
    void SetMinPage(std::int32_t) override {}
    std::unique_ptr<PrinterService> ShowPrinter(QWidget* parent) override {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path_);
        return MakeQtPrinter(std::move(printer), parent);
    }

  private:
    QString path_;
};

class NoBrowser : public BrowserService {
  public:
    std::unique_ptr<BrowserWindow> OpenWindow() override { return nullptr; }
};

QTemporaryDir& Scratch() {
    static QTemporaryDir dir;
    return dir;
}

std::unique_ptr<Form1> MakeForm() {
    auto form = std::make_unique<Form1>(
        Platform{std::make_unique<SilentMessages>(),
                 std::make_unique<PdfDialog>(Scratch().filePath("bench.pdf")),
                 std::make_unique<NoBrowser>()});
    form->show();
    return form;
}

QPushButton* Button(Form1& form, const char* name) { return form.findChild<QPushButton*>(name); }

// A round bar 2 in x 10 in, calculated, ready to store.
void Prepare(Form1& form) {
    form.findChild<QLineEdit*>("txtParam(0)")->setText("2");
    form.findChild<QLineEdit*>("txtParam(1)")->setText("10");
    Button(form, "cmdCalculate")->click();
}

void BM_ConstructForm(benchmark::State& state) {
    for (auto _ : state) {
        Form1 form(Platform{std::make_unique<SilentMessages>(), std::make_unique<PdfDialog>(""),
                            std::make_unique<NoBrowser>()});
        benchmark::DoNotOptimize(&form);
    }
}
BENCHMARK(BM_ConstructForm)->Unit(benchmark::kMicrosecond);

void BM_CalculatePress(benchmark::State& state) {
    auto form = MakeForm();
    Prepare(*form);
    QPushButton* calculate = Button(*form, "cmdCalculate");
    for (auto _ : state) calculate->click();
}
BENCHMARK(BM_CalculatePress)->Unit(benchmark::kMicrosecond);

void BM_StoreResult(benchmark::State& state) {
    const auto lines = state.range(0);
    for (auto _ : state) {
        state.PauseTiming();
        auto form = MakeForm();
        Prepare(*form);
        QPushButton* store = Button(*form, "cmdStoreResult");
        state.ResumeTiming();
        for (long i = 0; i < lines; ++i) store->click();
        QApplication::processEvents();  // let the list lay out what it got
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
    // Seconds per line (shown with an SI prefix: "11.1u" is 11.1 microseconds).
    state.counters["per_line"] = benchmark::Counter(
        static_cast<double>(lines),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_StoreResult)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_PrintReport(benchmark::State& state) {
    const auto lines = state.range(0);
    auto form = MakeForm();
    Prepare(*form);
    QPushButton* store = Button(*form, "cmdStoreResult");
    for (long i = 0; i < lines; ++i) store->click();
    QPushButton* print = Button(*form, "cmdPrint");
    for (auto _ : state) print->click();
    // Seconds per line (shown with an SI prefix: "11.1u" is 11.1 microseconds).
    state.counters["per_line"] = benchmark::Counter(
        static_cast<double>(lines),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PrintReport)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Forty lines as long as a field can hold (a 32,767-character paste into the
// pieces field), one word each, so every printed line is broken inside it.
void BM_PrintLongLines(benchmark::State& state) {
    auto form = MakeForm();
    auto* list = form->findChild<QListWidget*>("lstResults");
    QString line;
    for (int i = 0; line.size() < 32767; ++i) line += QChar('0' + i % 10);
    for (int i = 0; i < 40; ++i) list->addItem(line);
    QPushButton* print = Button(*form, "cmdPrint");
    for (auto _ : state) print->click();
}
BENCHMARK(BM_PrintLongLines)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

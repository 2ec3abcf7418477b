#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "calc/numeric_text.h"
#include "calc/press.h"
#include "calc/weight_format.h"
#include "results/result_line.h"

namespace {

calc::PressInput Input(int shapePosition, std::array<std::string_view, 3> texts) {
    calc::PressInput in;
    in.pieces = "3";
    in.texts = {texts[0], texts[1], texts[2], "", ""};
    in.captions = {"Thickness:", "Width:", "Length:", "Label2", "Label2"};
    in.units = {0, 3, 1, 0, 0};
    in.shapePosition = shapePosition;
    in.alloyPosition = 24;
    in.result = "12.34";
    return in;
}

void BM_Press(benchmark::State& state, int shapePosition, std::array<std::string_view, 3> texts) {
    const calc::PressInput in = Input(shapePosition, texts);
    for (auto _ : state) benchmark::DoNotOptimize(calc::EvaluatePress(in));
}
BENCHMARK_CAPTURE(BM_Press, round_bar, 4, {"2", "254", ""});
BENCHMARK_CAPTURE(BM_Press, square_bar, 7, {"1.5", "300", ""});
BENCHMARK_CAPTURE(BM_Press, hexagon_bar, 2, {"0.75", "120", ""});
BENCHMARK_CAPTURE(BM_Press, flat_plate, 3, {"0.5", "304.8", "10"});
BENCHMARK_CAPTURE(BM_Press, round_tube, 5, {"2", "6.35", "1"});
BENCHMARK_CAPTURE(BM_Press, refused_fields, 3, {"abc", "", "1"});

void BM_ReadNumber(benchmark::State& state) {
    const std::vector<std::string> texts = {"1", " 12.5 ", "0.3462", "-2.675e1", "abc", ""};
    for (auto _ : state) {
        for (const std::string& t : texts) benchmark::DoNotOptimize(calc::ReadNumber(t));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(texts.size()));
}
BENCHMARK(BM_ReadNumber);

void BM_FormatWeight(benchmark::State& state) {
    const double values[] = {204.192, 10.634999999999998, 0.004, 1e20, -2.6729};
    for (auto _ : state) {
        for (double v : values) benchmark::DoNotOptimize(calc::FormatWeight(v));
    }
    state.SetItemsProcessed(state.iterations() * 5);
}
BENCHMARK(BM_FormatWeight);

void BM_ResultLine(benchmark::State& state) {
    const results::StoreSnapshot s{
        "Steel (Default)",
        "Plate",
        {{"Thickness:", "0.5", "in"}, {"Width:", "12", "in"}, {"Length:", "10", "ft"}},
        "1",
        "204.19"};
    for (auto _ : state) benchmark::DoNotOptimize(results::ComposeResultLine(s));
}
BENCHMARK(BM_ResultLine);

}  // namespace

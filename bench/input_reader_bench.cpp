// Reading numbers: the dialogue's field reader on a stream against strtod
// walking the same text, both from memory.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <sstream>

#include "bench_inputs.hpp"
#include "numbers/input_reader.hpp"

namespace {

void setItems(benchmark::State& state) {
    state.SetItemsProcessed(state.iterations() *
                            static_cast<std::int64_t>(parabeam::bench::kFieldCount));
}

void readReal(benchmark::State& state) {
    std::istringstream in(parabeam::bench::numberFields());
    for (auto _ : state) {
        in.clear();
        in.seekg(0);
        std::size_t count = 0;
        double value = 0.0;
        while (parabeam::readReal(in, value)) {
            benchmark::DoNotOptimize(value);
            ++count;
        }
        if (count != parabeam::bench::kFieldCount) {
            state.SkipWithError("a field was not read");
            break;
        }
    }
    setItems(state);
}

void strtodFields(benchmark::State& state) {
    const char* const text = parabeam::bench::numberFields().c_str();
    for (auto _ : state) {
        const char* next = text;
        for (std::size_t i = 0; i < parabeam::bench::kFieldCount; ++i) {
            char* end = nullptr;
            benchmark::DoNotOptimize(std::strtod(next, &end));
            next = end;
        }
    }
    setItems(state);
}

BENCHMARK(readReal);
BENCHMARK(strtodFields);

} // namespace

// Writing numbers: the program's own format, alone and through the line
// writer, against the C library's "%.6g" and, where the C++ library has it,
// std::to_chars in general form with six digits, on the same values.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <ostream>
#include <streambuf>

#include "bench_inputs.hpp"
#include "numbers/number_format.hpp"
#include "numbers/report_line.hpp"

namespace {

using parabeam::bench::ValueSet;

// An output buffer that starts over when full: the stream never allocates or
// touches a file, so only the formatting and the stream's own work count.
class ReusedBuffer : public std::streambuf {
  public:
    ReusedBuffer() { setp(space_, space_ + sizeof space_); }

  protected:
    int_type overflow(int_type c) override {
        setp(space_, space_ + sizeof space_);
        if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
        return traits_type::not_eof(c);
    }

  private:
    char space_[1 << 16];
};

void setItems(benchmark::State& state, std::size_t perIteration) {
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(perIteration));
}

void formatReal(benchmark::State& state, ValueSet set) {
    const auto& values = parabeam::bench::values(set);
    char text[parabeam::kRealTextCapacity];
    for (auto _ : state) {
        for (const double value : values) {
            benchmark::DoNotOptimize(parabeam::formatReal(value, text));
            benchmark::ClobberMemory();
        }
    }
    setItems(state, values.size());
}

void writeReal(benchmark::State& state, ValueSet set) {
    const auto& values = parabeam::bench::values(set);
    ReusedBuffer buffer;
    std::ostream sink(&buffer);
    for (auto _ : state) {
        for (const double value : values)
            parabeam::writeReal(sink, value);
        benchmark::ClobberMemory();
    }
    setItems(state, values.size());
}

void snprintfG6(benchmark::State& state, ValueSet set) {
    const auto& values = parabeam::bench::values(set);
    char text[32];
    for (auto _ : state) {
        for (const double value : values) {
            benchmark::DoNotOptimize(std::snprintf(text, sizeof text, "%.6g", value));
            benchmark::ClobberMemory();
        }
    }
    setItems(state, values.size());
}

#if defined(__cpp_lib_to_chars)
void toCharsG6(benchmark::State& state, ValueSet set) {
    const auto& values = parabeam::bench::values(set);
    char text[32];
    for (auto _ : state) {
        for (const double value : values) {
            benchmark::DoNotOptimize(
                std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6));
            benchmark::ClobberMemory();
        }
    }
    setItems(state, values.size());
}
#endif

#define FOR_EACH_SET(function)                                                                     \
    BENCHMARK_CAPTURE(function, random_bits, ValueSet::RandomBits);                                \
    BENCHMARK_CAPTURE(function, student_values, ValueSet::StudentValues);                          \
    BENCHMARK_CAPTURE(function, integers, ValueSet::Integers)

FOR_EACH_SET(formatReal);
FOR_EACH_SET(writeReal);
FOR_EACH_SET(snprintfG6);
#if defined(__cpp_lib_to_chars)
FOR_EACH_SET(toCharsG6);
#endif

} // namespace

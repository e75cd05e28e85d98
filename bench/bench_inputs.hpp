#pragma once
// Deterministic inputs shared by the number benchmarks, built once per run.
#include <cstddef>
#include <string>
#include <vector>

namespace parabeam::bench {

enum class ValueSet {
    RandomBits,    // every finite double equally likely by bit pattern
    StudentValues, // -1e6..1e6 with one to eight significant digits
    Integers,      // whole numbers of one to nine digits
};

inline constexpr std::size_t kValueCount = 4096;
inline constexpr std::size_t kFieldCount = 4096;

const std::vector<double>& values(ValueSet set);

// kFieldCount number fields separated by blanks: one to 17 significant
// digits, every decimal exponent from -307 to 307, plain and exponent forms.
const std::string& numberFields();

} // namespace parabeam::bench

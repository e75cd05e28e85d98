#include "support/format_check.hpp"

#include <algorithm>
#include <array>

#include "numbers/number_format.hpp"

namespace parabeam::testing {

FormattedText formatWithGuard(double value) {
    constexpr char kGuard = '\x7f';
    std::array<char, kRealTextCapacity + 16> buffer{};
    buffer.fill(kGuard);
    const std::size_t length = formatReal(value, buffer.data());
    const bool guardIntact = std::all_of(buffer.begin() + kRealTextCapacity, buffer.end(),
                                         [](char c) { return c == kGuard; });
    const std::size_t kept = std::min(length, buffer.size());
    return {std::string(buffer.data(), kept), guardIntact && length <= kRealTextCapacity};
}

} // namespace parabeam::testing

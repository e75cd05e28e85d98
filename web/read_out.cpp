#include "web/read_out.hpp"

#include <cstddef>
#include <initializer_list>

#include "numbers/input_reader.hpp"
#include "numbers/number_conversion.hpp"
#include "numbers/number_scanner.hpp"
#include "web/json_writer.hpp"
#include "web/page_numbers.hpp"

namespace parabeam {
namespace {

// The whole field as one number, white space around it allowed.
std::optional<double> readTyped(std::string_view typed) {
    std::size_t at = 0;
    const auto next = [&] {
        return ++at < typed.size() ? static_cast<unsigned char>(typed[at]) : -1;
    };
    while (at < typed.size() && isEntrySpace(static_cast<unsigned char>(typed[at])))
        ++at;
    int byte = at < typed.size() ? static_cast<unsigned char>(typed[at]) : -1;
    const ScannedNumber number = scanNumber(byte, next);
    while (byte >= 0 && isEntrySpace(byte))
        byte = next();
    double value = 0.0;
    if (number.error != FieldError::none || byte >= 0 || !toDouble(number.field, value))
        return std::nullopt;
    return value;
}

// The pieces of a sentence, one after another.
std::string joined(std::initializer_list<std::string_view> pieces) {
    std::string sentence;
    for (const std::string_view piece : pieces)
        sentence.append(piece);
    return sentence;
}

std::string reason(std::string_view sentence) {
    JsonWriter json;
    json.beginObject().key("reason").string(sentence).endObject();
    return json.text();
}

} // namespace

std::string describeReadOut(const BeamLoading& beam, std::string_view lengthUnit,
                            std::optional<std::string_view> typed, double x) {
    const std::string_view space = lengthUnit.empty() ? "" : " ";
    const std::string span = realText(beam.span);
    if (typed) {
        const std::optional<double> read = readTyped(*typed);
        if (!read)
            return reason(
                joined({"Type x as a number, such as 2.5: a distance from Pt-A, from 0 to ", span,
                        space, lengthUnit, "."}));
        x = *read;
    }
    if (!(x >= 0 && x <= beam.span))
        return reason(joined({"x = ", realText(x), space, lengthUnit,
                              " is off the beam, which runs from Pt-A (x = 0) to Pt-B (x = ", span,
                              space, lengthUnit, ")."}));
    JsonWriter json;
    writeSection(json, sectionAt(beam, x));
    return json.text();
}

} // namespace parabeam

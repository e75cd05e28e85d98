#include "diagrams/read_out.hpp"

#include <initializer_list>
#include <sstream>

#include "diagrams/json_writer.hpp"
#include "diagrams/page_numbers.hpp"
#include "numbers/input_reader.hpp"

namespace parabeam {
namespace {

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

std::optional<double> readTypedNumber(std::string_view typed) {
    std::istringstream field{std::string(typed)};
    double value = 0.0;
    if (!readReal(field, value)) return std::nullopt;
    for (int byte = field.peek(); byte != std::istringstream::traits_type::eof();
         byte = (field.get(), field.peek()))
        if (!isEntrySpace(byte)) return std::nullopt;
    return value;
}

std::string describeReadOut(const BeamLoading& beam, std::string_view lengthUnit,
                            std::optional<std::string_view> typed, double x) {
    const std::string_view space = lengthUnit.empty() ? "" : " ";
    const std::string span = realText(beam.span);
    if (typed) {
        const std::optional<double> read = readTypedNumber(*typed);
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

std::string describeNoBeam() {
    return reason(
        "No beam is solved now: V and M, and the checks of your values, come once a run has "
        "solved one.");
}

} // namespace parabeam

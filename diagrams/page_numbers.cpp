#include "diagrams/page_numbers.hpp"

#include "numbers/number_format.hpp"

namespace parabeam {

std::string realText(double value) {
    char text[kRealTextCapacity];
    return {text, formatReal(value, text)};
}

void writeQuantity(JsonWriter& json, double value) {
    json.beginObject().key("value").number(value).key("text").string(realText(value)).endObject();
}

void writeSection(JsonWriter& json, const Section& section) {
    json.beginObject().key("x");
    writeQuantity(json, section.position);
    json.key("shear");
    writeQuantity(json, section.shear);
    json.key("moment");
    writeQuantity(json, section.moment);
    json.endObject();
}

} // namespace parabeam

#include "numbers/report_line.hpp"

#include "numbers/number_format.hpp"

namespace parabeam {

ReportSink& writeText(ReportSink& sink, std::string_view text) {
    return sink.write(text.data(), static_cast<std::streamsize>(text.size()));
}

ReportSink& writeReal(ReportSink& sink, double value) {
    char text[kRealTextCapacity];
    const std::size_t length = formatReal(value, text);
    return sink.write(text, static_cast<std::streamsize>(length));
}

ReportSink& writeUnit(ReportSink& sink, const UnitWord& unit) {
    return writeText(sink, unit.view());
}

ReportSink& writeZero(ReportSink& sink) {
    return sink.put('0');
}

ReportSink& endLine(ReportSink& sink) {
    return sink.put('\n').flush();
}

} // namespace parabeam

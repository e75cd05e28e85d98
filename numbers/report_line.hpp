#pragma once
// The line writer: every report line, on the console or in the record file, is
// one chain of these calls. Numbers are formatted here, never by the stream, and
// a failed stream just swallows what is written to it.
#include <ostream>
#include <string_view>

#include "numbers/unit_word.hpp"

namespace parabeam {

using ReportSink = std::ostream;

ReportSink& writeText(ReportSink& sink, std::string_view text);
ReportSink& writeReal(ReportSink& sink, double value);
ReportSink& writeUnit(ReportSink& sink, const UnitWord& unit);
ReportSink& writeZero(ReportSink& sink);
// Line feed, then flush.
ReportSink& endLine(ReportSink& sink);

// The integer 0 as a piece of a line.
struct ZeroPiece {};
inline constexpr ZeroPiece kZero{};

inline ReportSink& writePiece(ReportSink& sink, std::string_view text) {
    return writeText(sink, text);
}
inline ReportSink& writePiece(ReportSink& sink, double value) {
    return writeReal(sink, value);
}
inline ReportSink& writePiece(ReportSink& sink, const UnitWord& unit) {
    return writeUnit(sink, unit);
}
inline ReportSink& writePiece(ReportSink& sink, ZeroPiece) {
    return writeZero(sink);
}

// A line whose last literal carries its own line feed: no flush.
template <typename... Pieces> ReportSink& writePieces(ReportSink& sink, const Pieces&... pieces) {
    (writePiece(sink, pieces), ...);
    return sink;
}

// A line closed by endLine.
template <typename... Pieces> ReportSink& writeLine(ReportSink& sink, const Pieces&... pieces) {
    return endLine(writePieces(sink, pieces...));
}

// Closes steps of the report: 58 hyphens and a blank.
inline constexpr std::string_view kDashedLine =
    "---------------------------------------------------------- ";

} // namespace parabeam

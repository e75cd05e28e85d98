#pragma once
// Expected outputs kept as files in tests/data, written from the documented
// texts and hand-checked numbers, never captured from the program.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

#include "support/named_case.hpp"
#include "support/run_binary.hpp"

namespace parabeam::testing {

inline constexpr const char* kWorkedExampleAnswers = "3 9 2 4 2 0 5 kN/m kN m\n";

// Whole runs whose console output and record are kept as expected files: one
// per horizontal case, plus a zero span whose reactions are infinite.
struct ExampleRun : NamedCase {
    const char* answers;
    const char* transcript;
    const char* record;
};

inline constexpr ExampleRun kExampleRuns[] = {
    {{"CaseA_WorkedExample"},
     kWorkedExampleAnswers,
     "worked_example_transcript.txt",
     "worked_example_record.txt"},
    {{"CaseB_LeftForceOnly_TieRoundsAway"},
     "2.5 7 3 6 1.25 -4.5 0 N/m N ft\n",
     "case_b_transcript.txt",
     "case_b_record.txt"},
    {{"CaseC_BothForces_ExponentForm"},
     "1500 4000 10 800 1200 7 -3 N/m N m\n",
     "case_c_transcript.txt",
     "case_c_record.txt"},
    {{"CaseD_NoForce_L1AboveL2_NegativeZeroBx"},
     "4 3 0 2 5 0 -0 lb/ft lb ft\n",
     "case_d_transcript.txt",
     "case_d_record.txt"},
    {{"ZeroSpan_InfiniteReactions"},
     "3 0 1 4 2 2 2 kN/m kN m\n",
     "zero_span_transcript.txt",
     "zero_span_record.txt"},
};

inline std::string expectedData(std::string_view name) {
    const std::filesystem::path path = std::filesystem::path(PARABEAM_TEST_DATA) / name;
    if (!std::filesystem::is_regular_file(path))
        throw std::runtime_error("missing expected-output file " + path.string());
    return readFile(path);
}

} // namespace parabeam::testing

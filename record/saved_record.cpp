#include "record/saved_record.hpp"

#include <sstream>
#include <string>

#include "platform/append_file.hpp"
#include "record/record_text.hpp"

namespace parabeam {

void appendSavedRecord(const BeamInputs& inputs, const BeamSolution& solution,
                       std::ostream& errors) {
    std::ostringstream record;
    writeSavedRecord(inputs, solution, record);
    const AppendResult result = appendToFile(kRecordFileName, record.str());
    if (result.saved) return;
    // Composed first and written at once: the lines of runs failing together
    // stay whole where their standard errors meet.
    const std::string line = result.writtenBeforeFailure
                                 ? std::string("parabeam: the record was written to ") +
                                       kRecordFileName +
                                       ", but closing the file failed: " + result.reason +
                                       " (the record may not have reached the disk)\n"
                                 : std::string("parabeam: could not save the record to ") +
                                       kRecordFileName + ": " + result.reason + "\n";
    errors.write(line.data(), static_cast<std::streamsize>(line.size()));
    errors.flush();
}

} // namespace parabeam

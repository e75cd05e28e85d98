#include "record/saved_record.hpp"

#include <sstream>

#include "platform/append_file.hpp"
#include "record/record_text.hpp"

namespace parabeam {

void appendSavedRecord(const BeamInputs& inputs, const BeamSolution& solution,
                       std::ostream& errors) {
    std::ostringstream record;
    writeSavedRecord(inputs, solution, record);
    const AppendResult result = appendToFile(kRecordFileName, record.str());
    if (!result.saved) {
        errors << "parabeam: could not save the record to " << kRecordFileName << ": "
               << result.reason << '\n'
               << std::flush;
    }
}

} // namespace parabeam

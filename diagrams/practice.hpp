#pragma once
// Practice: the values a student works out for the beam (the reactions, V and
// M at the key points, where V = 0, the largest moment), each checked as it
// is typed against the program's value, to the precision a student works to.
#include <string>
#include <string_view>
#include <vector>

#include "diagrams/page_units.hpp"
#include "solver/load_diagrams.hpp"

namespace parabeam {

enum class Quantity { force, moment, length };

// "force", "moment" or "length": the page's name for it, and its unit's.
std::string_view quantityName(Quantity quantity);

struct PracticeItem {
    std::string id;    // the page's name for it: "ay", "vE", "xZero1"...
    std::string name;  // the field's label: "Ay", "V at Pt-E"...
    Quantity quantity; // which unit it takes, and what a size is measured against
    double exact = 0;  // the program's value
    std::string step;  // the working step that gives it
    std::string hint;  // where to look when it is off; never the value
};

// The values to practise, in the order a student works them out.
std::vector<PracticeItem> practiceItems(const LoadDiagrams& diagrams);

// How a typed value compares with the exact one.
enum class Verdict {
    right,      // within 0.5%, or the same to 3 significant figures; a zero within
                // 0.5% of the scale
    wrongSign,  // the right size, the other sign
    otherUnits, // a thousand times too large or too small
    off,        // none of these
    notANumber, // the field holds no number the program reads
};

// `scale`: the largest size of the quantity on this beam (V, M, or the span),
// against which a value that should be zero is judged.
Verdict judge(double typed, double exact, double scale);

// {"verdict": "right" | "wrongSign" | "otherUnits" | "off" | "notANumber",
//  "sentence": what the page says}, for the text typed in the item's field.
std::string describeCheck(const PracticeItem& item, std::string_view typed,
                          const LoadDiagrams& diagrams, const PageUnits& units);

// The same for V (or M, `moment`) at an x the student chose, both typed.
std::string describeCheckAtX(std::string_view typedX, std::string_view typed, bool moment,
                             const LoadDiagrams& diagrams, const PageUnits& units);

// What the page says of the rule, beside the fields.
inline constexpr std::string_view kPrecisionRule =
    "A value counts as right within 0.5% of the exact one (3 significant figures are "
    "enough); a value that should be zero counts as right within 0.5% of the largest "
    "such value on this beam (V, M, or the span).";

} // namespace parabeam

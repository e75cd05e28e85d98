#include "console/dialogue.hpp"

#include <iterator>
#include <string_view>

#include "numbers/input_reader.hpp"

namespace parabeam {
namespace {

// The reader takes bytes straight from the input's stream buffer, past the
// stream's tie to the console, so the prompt must be flushed here to show
// while the program waits.
void ask(ReportSink& console, std::string_view prompt) {
    writeText(console, prompt);
    console.flush();
}

struct RealQuestion {
    std::string_view prompt;
    double BeamInputs::*field;
};
constexpr RealQuestion kRealQuestions[] = {
    {" (1) Enter Value For The Length(L1) Of The Triangular Beam(Shape) Above = ",
     &BeamInputs::triangleLength},
    {" (2) Enter Value For The Length(L2) Of The Entire Beam(Parallelogram Diagram) From Point-A To Point-B As Seen Above = ",
     &BeamInputs::beamLength},
    {" (3) Enter Value For The Vertical Height Of The Beam If Available = ", &BeamInputs::height},
    {" (4) Please Enter Value For The Weight Of The Traingular Beam Only = ",
     &BeamInputs::triangleWeight},
    {" (5) Please Enter Value For The Acting Weight Rectangular Beam Only = ",
     &BeamInputs::rectangleWeight},
    {" (6) Please Enter Value For The Horizontal Force At The Left Support = ",
     &BeamInputs::leftHorizontalForce},
    {" (7) Please Enter Value For The Horizontal Force At The Right Support = ",
     &BeamInputs::rightHorizontalForce},
};
struct WordQuestion {
    std::string_view prompt;
    UnitWord BeamInputs::*field;
};
constexpr WordQuestion kWordQuestions[] = {
    {" Enter The Unit For The Weight Acting Vertically Downward = ", &BeamInputs::weightUnit},
    {" Enter The Derived Unit For The (Acting Force, Mass) Vertically Downward = ",
     &BeamInputs::forceUnit},
    {" Enter The Unit For The Length = ", &BeamInputs::lengthUnit},
};

} // namespace

const int kNumberAnswers = static_cast<int>(std::size(kRealQuestions));

int readInputs(BeamInputs& inputs, std::istream& in, ReportSink& console) {
    // Answers read before the first failure. A failed stream takes nothing more,
    // but the count does not rely on it.
    int answersRead = 0;
    bool failed = false;
    const auto count = [&](bool read) {
        failed = failed || !read;
        if (!failed) ++answersRead;
    };
    for (const RealQuestion& question : kRealQuestions) {
        ask(console, question.prompt);
        count(readReal(in, inputs.*question.field));
    }
    for (const WordQuestion& question : kWordQuestions) {
        ask(console, question.prompt);
        count(readWord(in, inputs.*question.field));
    }
    return answersRead;
}

} // namespace parabeam

#pragma once
// The four horizontal cases, a pair of forces each: the case it falls into
// and the exact lines the console writes for it. Shared by the solver's tests
// (the case) and the console's (the lines).
#include <string>

#include "solver/horizontal_case.hpp"
#include "support/named_case.hpp"

namespace parabeam::testing {

inline const std::string kDashes = "---------------------------------------------------------- \n";

struct HorizontalExample : NamedCase {
    double ax;
    double bx;
    const char* forceUnit;
    HorizontalCase expectedCase;
    std::string expectedText;
};

inline const HorizontalExample kHorizontalExamples[] = {
    {{"A_BxAloneFiveKiloNewton"},
     0.0,
     5.0,
     "kN",
     HorizontalCase::rightOnly,
     " Ax - Bx = 0 + 5\n"
     " -Bx = -5 kN\n"
     " Bx = 5 kN <--, Acting Towards The Left Side Of The Beam\n" +
         kDashes + kDashes},
    {{"A_AxNegativeZero"},
     -0.0,
     5.0,
     "kN",
     HorizontalCase::rightOnly,
     " Ax - Bx = 0 + 5\n"
     " -Bx = -5 kN\n"
     " Bx = 5 kN <--, Acting Towards The Left Side Of The Beam\n" +
         kDashes + kDashes},
    {{"A_NegativeBx"},
     0.0,
     -2.5,
     "N",
     HorizontalCase::rightOnly,
     " Ax - Bx = 0 + -2.5\n"
     " -Bx = 2.5 N\n"
     " Bx = -2.5 N <--, Acting Towards The Left Side Of The Beam\n" +
         kDashes + kDashes},
    {{"B_AxAlone"},
     3.0,
     0.0,
     "kN",
     HorizontalCase::leftOnly,
     " Ax - Bx = 3 + 0\n"
     " Ax  = 3 kN\n"
     " Ax  = 3 kN -->, Acting Towards The Right Side OF The Beam \n" +
         kDashes + kDashes},
    {{"B_BxNegativeZero_NegativeAx"},
     -4.5,
     -0.0,
     "lb",
     HorizontalCase::leftOnly,
     " Ax - Bx = -4.5 + 0\n"
     " Ax  = -4.5 lb\n"
     " Ax  = -4.5 lb -->, Acting Towards The Right Side OF The Beam \n" +
         kDashes + kDashes},
    {{"C_EqualForcesDifferenceZero"},
     7.0,
     7.0,
     "kN",
     HorizontalCase::both,
     " This Means That An Extra Force Is Produced At Joint(Point) B Of The Beam  \n"
     " Which Produces The Equation Below For The Entire Beam(Diagram, Figure) Above  \n"
     " Ax - Bx = 7 - 7\n"
     " Ax - Bx = 0 kN\n"
     " Ax  - Bx = 0 kN -->, Acting On The Entire Beam  \n"
     " Next Equation And Topic(s) To Be Resolved Later...............  \n" +
         kDashes + kDashes},
    {{"C_ExponentFormDifference"},
     1234567.0,
     0.00001,
     "N",
     HorizontalCase::both,
     " This Means That An Extra Force Is Produced At Joint(Point) B Of The Beam  \n"
     " Which Produces The Equation Below For The Entire Beam(Diagram, Figure) Above  \n"
     " Ax - Bx = 1.23457e+006 - 1e-005\n"
     " Ax - Bx = 1.23457e+006 N\n"
     " Ax  - Bx = 1.23457e+006 N -->, Acting On The Entire Beam  \n"
     " Next Equation And Topic(s) To Be Resolved Later...............  \n" +
         kDashes + kDashes},
    {{"C_OppositeSigns"},
     2.0,
     -0.5,
     "kN",
     HorizontalCase::both,
     " This Means That An Extra Force Is Produced At Joint(Point) B Of The Beam  \n"
     " Which Produces The Equation Below For The Entire Beam(Diagram, Figure) Above  \n"
     " Ax - Bx = 2 - -0.5\n"
     " Ax - Bx = 2.5 kN\n"
     " Ax  - Bx = 2.5 kN -->, Acting On The Entire Beam  \n"
     " Next Equation And Topic(s) To Be Resolved Later...............  \n" +
         kDashes + kDashes},
    {{"D_BothZero_LiteralZeros"},
     0.0,
     0.0,
     "kN",
     HorizontalCase::neither,
     " Ax - Bx = 0 - 0\n"
     " Ax - Bx = 0 kN\n"
     " Ax  - Bx = 0 kN -->, Acting On The Entire Beam  \n"
     " Ax = 0.00 kN, And , Bx = 0.00 kN\n" +
         kDashes + kDashes},
    {{"D_BxNegativeZero"},
     0.0,
     -0.0,
     "kN",
     HorizontalCase::neither,
     " Ax - Bx = 0 - 0\n"
     " Ax - Bx = 0 kN\n"
     " Ax  - Bx = 0 kN -->, Acting On The Entire Beam  \n"
     " Ax = 0.00 kN, And , Bx = 0.00 kN\n" +
         kDashes + kDashes},
    {{"D_BothNegativeZero"},
     -0.0,
     -0.0,
     "t",
     HorizontalCase::neither,
     " Ax - Bx = 0 - 0\n"
     " Ax - Bx = 0 t\n"
     " Ax  - Bx = 0 t -->, Acting On The Entire Beam  \n"
     " Ax = 0.00 t, And , Bx = 0.00 t\n" +
         kDashes + kDashes},
};

} // namespace parabeam::testing

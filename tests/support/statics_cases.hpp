#pragma once
// Beams worked out by hand: their inputs, every field of the solution written
// out exactly, and report lines of the derivation that show them. Shared by
// the solver's tests (the values) and the console's (the lines).
#include <cmath>
#include <limits>
#include <map>
#include <string>

#include "solver/beam_solution.hpp"
#include "support/named_case.hpp"
#include "support/solution_fields.hpp"
#include "support/test_inputs.hpp"

namespace parabeam::testing {

inline constexpr double kInfinity = std::numeric_limits<double>::infinity();
inline constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();

struct StaticsCase : NamedCase {
    Numbers numbers;
    // Every field of the solution in the order of kSolutionFields, each written out
    // exactly, signs of zero included (worked out by hand and checked with
    // separate arbitrary-precision arithmetic; the thirds are the decimal
    // constants 0.33333333 and 0.66666667, not 1/3 and 2/3).
    double exact[std::size(kSolutionFields)];
    std::map<int, std::string> lines; // report line number -> exact text
};

inline const StaticsCase kStaticsCases[] = {
    {{"WorkedExample"},
     {3, 9, 2, 4, 2, 0, 5},
     {6.0, 0x1.ffffffaa19c47p-1, 0x1.00000015798eep+1, 6.0, 0x1.bffffff543389p+2, 12.0, 3.0, 5.0,
      18.0, -36.0, -0x1.4ffffff7f26a7p+5, -0x1.37fffffbf9354p+6, 0x1.15555551c112ep+3,
      0x1.2aaaaaae3eed2p+3},
     {{6, " Derived Force From The Triangular Beam Is : => 6 kN"},
      {9, " The Acting Distance On The Triangular Beam From Left Side Is = 1 m"},
      {10, " The Acting Distance On The Triangular Beam From Right Side Is = 2 m"},
      {13, " The Total Horizontal Distance To The Point Of Action Of The Triangular Beam From "
           "Left Side Is = 7 m"},
      {23, " => Ay + By = 12 + 6 Eq-1"},
      {27, " => (+/-)Ax + (+/-)Bx = 5 Eq-2"},
      {30, " ==> --> L(MA) = 3 x -12 + 7 x -6 + 9 x By  = 0.00 --> Eq-3 "},
      {31, " ==> --> L(MA) = -36 + -42 + 9 x By  = 0.00 --> Eq-3 "},
      {32, " ==> --> L(MA) = -78 + 9 x By  = 0.00 --> Eq-3 "},
      {33, " ==> --> L(MA) =  By  = 78 / 9"},
      {34, " ==> -->  =  By  = 8.66667"},
      {35, " ==> -->  =  By  = 8.66667 kN"},
      {42, " => Ay = 18 - 8.66667"},
      {43, " => Ay -->  = 9.33333"},
      {44, " => Ay -->  = 9.33333 kN"},
      {50, " -->   Ay = 9.33333 kN , Acting Upward "},
      {51, " -->   By = 8.66667 kN , Acting Upward "}}},
    {{"BothWeightsZero_NegativeZerosPrintAsZero"},
     {3, 9, 2, 0, 0, 0, 5},
     {0.0, 0x1.ffffffaa19c47p-1, 0x1.00000015798eep+1, 6.0, 0x1.bffffff543389p+2, 0.0, 3.0, 5.0,
      0.0, -0.0, -0.0, -0.0, 0.0, 0.0},
     {{6, " Derived Force From The Triangular Beam Is : => 0 kN"},
      {18, " The Acting Force From The Rectangular Beam Is = 0 kN"},
      {23, " => Ay + By = 0 + 0 Eq-1"},
      {30, " ==> --> L(MA) = 3 x 0 + 7 x 0 + 9 x By  = 0.00 --> Eq-3 "},
      {31, " ==> --> L(MA) = 0 + 0 + 9 x By  = 0.00 --> Eq-3 "},
      {32, " ==> --> L(MA) = 0 + 9 x By  = 0.00 --> Eq-3 "},
      {33, " ==> --> L(MA) =  By  = 0 / 9"},
      {42, " => Ay = 0 - 0"},
      {50, " -->   Ay = 0 kN , Acting Upward "},
      {51, " -->   By = 0 kN , Acting Upward "}}},
    {{"BothWeightsZero_L1EqualsL2"},
     {5, 5, 2, 0, 0, 0, 5},
     {0.0, 0x1.aaaaaa6315790p+0, 0x1.aaaaaace75438p+1, 0.0, 0x1.aaaaaa6315790p+0, 0.0, 0.0, 5.0,
      0.0, -0.0, -0.0, -0.0, 0.0, 0.0},
     {{13, " The Total Horizontal Distance To The Point Of Action Of The Triangular Beam From "
           "Left Side Is = 1.66667 m"},
      {30, " ==> --> L(MA) = 0 x 0 + 1.66667 x 0 + 5 x By  = 0.00 --> Eq-3 "},
      {31, " ==> --> L(MA) = 0 + 0 + 5 x By  = 0.00 --> Eq-3 "},
      {33, " ==> --> L(MA) =  By  = 0 / 5"},
      {43, " => Ay -->  = 0"}}},
    {{"L1EqualsL2_TriangleAloneCarries"},
     {6, 6, 2, 3, 2, 0, 5},
     {9.0, 0x1.ffffffaa19c47p+0, 0x1.00000015798eep+2, 0.0, 0x1.ffffffaa19c47p+0, 0.0, 0.0, 5.0,
      9.0, -0.0, -0x1.1fffffcfae7e8p+4, -0x1.1fffffcfae7e8p+4, 0x1.7fffffbf93535p+1,
      0x1.8000002036566p+2},
     {{12, " The Total Horizontal Distance Of The Rectangular Beam Only Is = 0 m"},
      {16, " The Acting Force From The Rectangular Beam Is = 2 x 0"},
      {17, " The Acting Force From The Rectangular Beam Is = 0"},
      {23, " => Ay + By = 0 + 9 Eq-1"},
      {30, " ==> --> L(MA) = 0 x 0 + 2 x -9 + 6 x By  = 0.00 --> Eq-3 "},
      {31, " ==> --> L(MA) = 0 + -18 + 6 x By  = 0.00 --> Eq-3 "},
      {33, " ==> --> L(MA) =  By  = 18 / 6"},
      {50, " -->   Ay = 6 kN , Acting Upward "},
      {51, " -->   By = 3 kN , Acting Upward "}}},
    {{"L1GreaterThanL2_NegativeRectangleCarriedThrough"},
     {4, 3, 2, 2, 5, 0, 5},
     {4.0, 0x1.5555551c112dap+0, 0x1.55555571f7693p+1, -1.0, 0x1.5555547044b68p-2, -5.0, -0.5, 5.0,
      -1.0, -2.5, -0x1.5555547044b68p+0, -0x1.eaaaaa38225b4p+1, 0x1.471c717ac1923p+0,
      -0x1.238e38bd60c92p+1},
     {{12, " The Total Horizontal Distance Of The Rectangular Beam Only Is = -1 m"},
      {13, " The Total Horizontal Distance To The Point Of Action Of The Triangular Beam From "
           "Left Side Is = 0.333333 m"},
      {18, " The Acting Force From The Rectangular Beam Is = -5 kN"},
      {19, " The Acting Distance From The Left Support(Joint) To The Center Of The Rectangular "
           "Beam(Length) Is = -0.5 m"},
      {30, " ==> --> L(MA) = -0.5 x 5 + 0.333333 x -4 + 3 x By  = 0.00 --> Eq-3 "},
      {31, " ==> --> L(MA) = -2.5 + -1.33333 + 3 x By  = 0.00 --> Eq-3 "},
      {33, " ==> --> L(MA) =  By  = 3.83333 / 3"},
      {50, " -->   Ay = -2.27778 kN , Acting Upward "},
      {51, " -->   By = 1.27778 kN , Acting Upward "}}},
    {{"ZeroSpanWithLoad_InfiniteReactions"},
     {3, 0, 2, 4, 2, 0, 5},
     {6.0, 0x1.ffffffaa19c47p-1, 0x1.00000015798eep+1, -3.0, -0x1.00000015798eep+1, -6.0, -1.5, 5.0,
      0.0, -9.0, 0x1.8000002036565p+3, 0x1.80000080d9594p+1, -kInfinity, kInfinity},
     {{30, " ==> --> L(MA) = -1.5 x 6 + -2 x -6 + 0 x By  = 0.00 --> Eq-3 "},
      {32, " ==> --> L(MA) = 3 + 0 x By  = 0.00 --> Eq-3 "},
      {33, " ==> --> L(MA) =  By  = -3 / 0"},
      {34, " ==> -->  =  By  = -1.#INF"},
      {42, " => Ay = 0 - -1.#INF"},
      {43, " => Ay -->  = 1.#INF"},
      {50, " -->   Ay = 1.#INF kN , Acting Upward "},
      {51, " -->   By = -1.#INF kN , Acting Upward "}}},
    {{"ZeroSpanWithoutLoad_UndefinedReactions"},
     {3, 0, 2, 0, 0, 0, 5},
     {0.0, 0x1.ffffffaa19c47p-1, 0x1.00000015798eep+1, -3.0, -0x1.00000015798eep+1, -0.0, -1.5, 5.0,
      0.0, -0.0, 0.0, 0.0, kUndefined, kUndefined},
     {{30, " ==> --> L(MA) = -1.5 x 0 + -2 x 0 + 0 x By  = 0.00 --> Eq-3 "},
      {33, " ==> --> L(MA) =  By  = 0 / 0"},
      {34, " ==> -->  =  By  = -1.#IND"},
      {42, " => Ay = 0 - -1.#IND"},
      {50, " -->   Ay = -1.#IND kN , Acting Upward "},
      {51, " -->   By = -1.#IND kN , Acting Upward "}}},
    {{"BothLengthsZero_UndefinedReactions"},
     {0, 0, 2, 4, 2, 0, 5},
     {0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 5.0, 0.0, -0.0, -0.0, -0.0, kUndefined, kUndefined},
     {{5, " Derived Force From The Triangular Beam Is : = [ 0.5 x 0 x 4 ] "},
      {30, " ==> --> L(MA) = 0 x 0 + 0 x 0 + 0 x By  = 0.00 --> Eq-3 "},
      {34, " ==> -->  =  By  = -1.#IND"},
      {43, " => Ay -->  = -1.#IND"}}},
};

} // namespace parabeam::testing

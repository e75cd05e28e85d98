#include "console/banner.hpp"

#include <initializer_list>
#include <string_view>

namespace parabeam {
namespace {

// Each line carries its own line feed; trailing blanks are part of the picture.
void writeAll(ReportSink& console, std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines)
        writeText(console, line);
}

} // namespace

void printBanner(ReportSink& console) {
    writeAll(console, {
                          "                         \n",
                          "                         Zembrolin-!!!\n",
                          "             Last Dated On 04/01/2002 <-- To -->  07/24/2002-!!!\n",
                          "\n",
                          "\n",
                      });
}

// Legend, then the loaded beam between the pin at Pt-A and the rocker at Pt-B.
void printFigure(ReportSink& console) {
    writeAll(
        console,
        {
            " The Figure Below Represents The Shape Of A Complete Parallelogram Beam On Two Supports.\n",
            " [1] A => Connection(Joint) At Point A ->[Pin Joint],  [2 ]B => Connection(Joint) At Point B ->[Rocker(Roller Ball)]\n",
            " [3] Downward Vertical Force Acting At Point C Of The Beam, Rod, Steel, Wood\n",
            " Where C Is The Concentrated Acting Point Of Force On The Beam Also The Figure(Shape) Shown Below (2/3L + 1/3L)\n",
            " [4] H Is The Vertical Height Of The Entire Beam As The Figure(Shape) Shown Below.\n",
            " [5] L1 Is The Total Length Of The Triangular Beam(Shape) According To The Figure(Shape) Shown Below\n",
            " [6] L2 Is The Total Length Of The Entire Beam(Shape) According To The Diagram(Shape) Givenn Below\n",
            "\n",
            "                          Weight(T.W.)                         \n",
            "                             !                         \n",
            "                             !                         \n",
            " Pt-D                        V                         \n",
            "    |xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx Pt-E                    \n",
            "    |                                 x\n",
            "    |                                   x\n",
            "    |                                     x\n",
            "    |                                       x\n",
            "    |                                         x\n",
            " H  |                                           x\n",
            "    |                                             x\n",
            "    |                                               x\n",
            "    |                                                 x\n",
            "    |                                                   x\n",
            "    |____________________________________________________|\n",
            "    |x                                                  x|\n",
            "                             !                          \n",
            "    ^ Pt-A                   C                      Pt-B ^\n",
            "    I                                                    I    \n",
            "    |                     First Length<------(L1)------->|\n",
            "    |<----------------Second Length(L2)----------------->|\n",
            "\n",
        });
}

} // namespace parabeam

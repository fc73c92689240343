#include "render/help_text.h"

namespace zephyrin {

std::string_view HelpText() {
    return R"(usage: zephyrin-render [options] [PARAMS.zpr] -o OUT.ext

Draws an attractor picture without the desktop and saves it as OUT.ext
(bmp, jpg, pbm, pgm, png, ppm, tga or tif) with its parameter file OUT.zpr
beside it. Without PARAMS.zpr it draws what a new window draws: formula 70
from a random start.

  -o, --output OUT.ext   the picture to write
  --formula N            draw formula N from a random start
  --random               a random start even with a parameter file
  --find                 search random starts of the formula (from --seed)
                         for an attractor worth drawing, frame it, draw it
  --fit                  frame the orbit (the parameter file's, or a random
                         start's) so that it fills the picture
  --size WxH             picture size in pixels (default 800x600)
  --supersample N        draw N times larger (2, 3 or 4) and reduce by
                         area averaging
  --iterations N         iterations to draw (default 20000000)
  --seconds S            draw for S seconds instead
  --seed N               the random seed; the same seed, file, options and
                         thread count draw the same picture
  --threads N            drawing threads (default: all cores); Color Mix
                         always draws with one
  --white                white background, inverted colours
  --sqrt-filter          square-root filtering of the hit counts
  --no-params            do not write OUT.zpr
  --quiet                no progress bar and no summary
  --help                 this text

Missing lines in PARAMS.zpr are reported and the drawing goes on; a line
that cannot be read ends the program.

Exit status: 0 done, 1 a file could not be read or written or memory ran
short, 2 a bad command line, 3 --find found nothing.
)";
}

}  // namespace zephyrin

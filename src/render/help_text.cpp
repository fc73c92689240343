#include "render/help_text.h"

#include "imaging/gradient.h"
#include "imaging/image_encoders.h"
#include "imaging/image_formats.h"

namespace zephyrin {
namespace {

std::string GradientList() {
    std::string list;
    for (const std::string_view name : BuiltInGradientNames())
        list += (list.empty() ? "" : ", ") + std::string(name);
    return list;
}

}  // namespace

std::string HelpText() {
    const std::string carrying = ExtensionList(FormatSet::kCarryingParameters);
    return R"(usage: zephyrin-render [options] [PARAMS.zpr] -o OUT.ext

Draws an attractor picture without the desktop and saves it as OUT.ext
()" + ExtensionList(FormatSet::kAll) +
           R"() with its parameter file OUT.zpr
beside it; a )" +
           carrying + R"( file carries the parameters inside as well. Without
PARAMS.zpr it draws what a new window draws: formula 70 from a random start.
PARAMS may also be a )" +
           carrying + R"( picture that carries its parameters.

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
  --density              colour by the density of the hits of all threads
                         (Color Mix or not): a logarithmic scale, then
                         brightness, gamma and vibrancy, then a gradient;
                         the next four options turn it on as well
  --brightness B         0.05 to 20 (default 1); the densest 0.2 % of the
                         picture is full scale at 1
  --gamma G              0.2 to 10 (default 2.2); higher lifts faint parts
  --vibrancy V           0 to 1 (default 1): how much colour the brightest
                         parts keep
  --gradient G           a built-in gradient (default sunset) or a GIMP
                         gradient file NAME.ggr
  --depth 8|16           bits per channel (16: )" +
           ExtensionList(FormatSet::kSixteenBits, "and") + R"( only)
  --png-level L          compression of a png picture, 0 (fastest, largest)
                         to 9 (smallest; default )" +
           std::to_string(kDefaultPngLevel) + R"(); the pixels are the same
  --save-counts C.tif    save the drawing's counts (a 32-bit TIFF) to draw
                         on, recolour or add up later; not for drawings
                         painted as they go (Color Mix)
  --export-density F     write the density level of every pixel as floats,
                         F.exr (OpenEXR) or F.tif
  --merge A.tif B.tif... add up counts files of the same drawing and size
  --share R/N            draw share R (from 0) of N alone, with the streams
                         rank R of N draws under mpirun, for --merge
  --metrics              print the orbit's measures (lyapunov=, dimension=,
                         coverage=, score=, orbit= lines) of the parameter
                         file, the found or the random start; -o draws too
  --gallery N            find N attractors and write the contact sheet
                         OUT.ext (best score first, numbered), OUT-01.zpr,
                         OUT-02.zpr, ... and OUT.csv; --size and
                         --iterations are per tile (200x150, 1000000)
  --formula all          with --gallery: attractors of every formula
  --quasi-periodic       --find and --gallery keep quasi-periodic orbits
                         too (closed curves and tori: exponent near 0)
  --classic              with --gallery: classic colouring, not density
  --no-params            write neither OUT.zpr nor the parameters inside
  --quiet                no progress bar and no summary
  --help                 this text
  --version              the program's version

Animation: zephyrin-render --animate KEY.zpr|KEY.png ... --frames N
           -o FOLDER/frame-%04d.png, or zephyrin-render FILE.zpa -o ...
Draws frames 0 to N-1 along a path through the keyframes (frame k with
seed + k), each a png with its parameters inside, and FOLDER/frames.csv;
--size, --iterations (per frame), --density, --depth, --seed and --threads
work as for one picture.
  --animate              the parameter files that follow are keyframes
  --frames N             frames in all, shared out over the segments
  --loop                 the last keyframe leads back to the first
  --smooth               a smooth path (Catmull-Rom), not straight lines
  --frame-range A-B      draw frames A to B only (from 0, both included)
  --skip-existing        keep the frames that are there already
  --motion-blur K        add K parameter samples within each frame's time
  --quasi-periodic       list only the frames neither chaotic nor
                         quasi-periodic (default: every frame not chaotic)
  --video OUT.mp4        make a video as well, with ffmpeg (H.264 in mp4)
  --fps F                the video's frames per second (default 30)

Built-in gradients:
  )" + GradientList() +
           R"(.

A picture drawn again from its parameters (OUT.zpr, or OUT.png or OUT.tif
themselves) with the same --seed, --iterations and --threads comes out the
same, even when it began with a random start.

Counts files: zephyrin-render COUNTS.tif --iterations N [outputs] draws N
more iterations on the counts, with random streams of their own (from
--seed, by default the file's first), so that runs add up as one long run;
--iterations 0 only colours them, with the file's colouring or the
options'. Outputs: -o, --save-counts and --export-density, any of them.

On Open MPI: mpirun -np N zephyrin-render-mpi [options] draws one picture
(or a counts file's next run) with every rank's threads, each its share of
the iterations (--share R/N alone gives the same counts), and rank 0 adds
the counts up and writes; the ranks take an animation's frames in turn.

Missing lines in PARAMS.zpr are reported and the drawing goes on; a line
that cannot be read ends the program.

Exit status: 0 done, 1 a file could not be read or written or memory ran
short, 2 a bad command line (or counts asked of a drawing painted as it
goes), 3 --find or --gallery found nothing.
)";
}

}  // namespace zephyrin

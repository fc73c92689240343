#include "render/animate_mode.h"

#include <chrono>
#include <cmath>
#include <new>
#include <optional>
#include <system_error>

#include "engine/animate/frame_pattern.h"
#include "engine/animate/frame_table.h"
#include "engine/animate/path_chaos.h"
#include "engine/animate/video_pipe.h"
#include "imaging/image_file.h"
#include "imaging/png_reader.h"
#include "render/animation_setup.h"
#include "render/command_line.h"
#include "render/frame_drawing.h"
#include "render/output_files.h"
#include "render/progress_bar.h"
#include "render/render_memory.h"
#include "util/number_format.h"

namespace zephyrin {
namespace {

using Clock = std::chrono::steady_clock;

std::string Measure(double value, int decimals) {
    return std::isfinite(value) ? FormatFixed(value, decimals, '.') : std::string("-");
}

class AnimationRun {
public:
    AnimationRun(std::ostream& out, std::ostream& err, bool progressOnTerminal, RenderTeam* team)
        : out_(out), err_(err), bar_(err), progressOnTerminal_(progressOnTerminal), team_(team) {
        if (team_) share_ = team_->Share();
    }

    int Run(const RenderOptions& options) {
        const int status = DrawFrames(options);
        if (const int agreed = team_ ? team_->Agree(status) : status; agreed != 0) return agreed;
        if (team_)
            if (Result<> gathered = GatherFrames(); !gathered) return Fail(gathered.error());
        if (share_.index > 0) return 0;
        if (video_) {
            const Result<> made = video_->Finish();
            video_.reset();
            if (!made) return Fail(made.error());
        }
        Summarise();
        return 0;
    }

private:
    // The frames of this member's turns (every one without a team).
    int DrawFrames(const RenderOptions& options) {
        if (Result<> ready = Prepare(options); !ready) return Fail(ready.error());
        if (Result<> checked = CheckPath(); !checked) return Fail(checked.error());
        for (std::int64_t frame = range_.first + share_.index; frame <= range_.last; frame += share_.count)
            if (Result<> done = DrawOrKeep(frame); !done) return Fail(done.error());
        return 0;
    }

    // The other members' rows and iterations to the first, which writes
    // the table and then makes the video from the frames in order.
    Result<> GatherFrames() {
        std::vector<double> mine{static_cast<double>(iterations_), static_cast<double>(drawnRows_.size())};
        for (const FrameRow& row : drawnRows_)
            mine.insert(mine.end(), {static_cast<double>(row.frame), row.lyapunov, row.dimension,
                                     row.litShare, row.meanBrightness});
        const std::vector<double> all = team_->GatherOnFirst(mine);
        team_->Leave();
        if (!team_->First()) return {};
        iterations_ = 0;
        // Each member's iterations and its number of rows, then its rows.
        for (std::size_t i = 0; i + 1 < all.size();) {
            iterations_ += static_cast<std::int64_t>(all[i]);
            const auto rows = static_cast<std::size_t>(all[i + 1]);
            i += 2;
            for (std::size_t row = 0; row < rows && i + 5 <= all.size(); ++row, i += 5)
                table_.Set(
                    {static_cast<std::int64_t>(all[i]), all[i + 1], all[i + 2], all[i + 3], all[i + 4]});
        }
        if (Result<> written = table_.Write(tablePath_); !written) return written;
        return AddFramesToVideo();
    }

    // A team's frames go to the video once all are drawn, in order.
    Result<> AddFramesToVideo() {
        if (!video_ || share_.Whole()) return {};
        for (std::int64_t frame = range_.first; frame <= range_.last; ++frame) {
            Result<Picture> drawn = ReadPngPicture(pattern_.Name(frame));
            if (!drawn) return Failure(drawn.error());
            if (Result<> added = video_->Add(*drawn); !added) return added;
        }
        return {};
    }

    const RenderOptions& Options() const { return prepared_.options; }
    const AnimateOptions& Animate() const { return prepared_.options.animation; }

    int Fail(std::string_view message) {
        bar_.Clear();
        SayLines(err_, message);
        return 1;
    }

    void Line(const std::string& line) {
        bar_.Clear();
        if (!Options().quiet) out_ << line << '\n';
    }

    [[nodiscard]] Result<> Prepare(const RenderOptions& options) {
        Result<PreparedAnimation> prepared = PrepareAnimation(options);
        if (!prepared) return Failure(prepared.error());
        prepared_ = *std::move(prepared);
        for (const std::string& message : prepared_.messages) SayLines(err_, message);
        const std::int64_t frames = FrameCount(prepared_.animation);
        range_ = Animate().range.value_or(FrameRange{0, frames - 1});
        if (range_.last >= frames)
            return Failure("the frame range " + std::to_string(range_.first) + "-" +
                           std::to_string(range_.last) + " goes beyond the animation's " +
                           std::to_string(frames) + " frames (0-" + std::to_string(frames - 1) + ")");
        Result<FramePattern> pattern = FramePattern::Parse(Options().output);
        if (!pattern) return Failure(pattern.error());
        pattern_ = *std::move(pattern);
        tablePath_ = pattern_.Folder() / "frames.csv";
        for (const auto& path : {pattern_.Name(range_.first), tablePath_})
            if (Result<> writable = CheckOutput(path); !writable) return writable;
        seed_ = Options().seed.value_or(RandomSeed());
        threads_ = Options().threads.value_or(AllCores());
        const std::int64_t width = std::int64_t{Options().width} * Options().supersample;
        const std::int64_t height = std::int64_t{Options().height} * Options().supersample;
        if (!RenderFitsInMemory(width, height, threads_))
            return Failure("a frame of " + std::to_string(width) + " x " + std::to_string(height) +
                           " pixels with " + std::to_string(threads_) + " threads does not fit in memory");
        table_ = FrameTable::Read(tablePath_);
        drawer_.emplace(prepared_, seed_, threads_);
        return StartVideo();
    }

    // Before any drawing, so that a missing ffmpeg is heard of at once.
    [[nodiscard]] Result<> StartVideo() {
        if (!Animate().video || share_.index > 0) return {};
        if (Result<> writable = CheckOutput(*Animate().video); !writable) return writable;
        Result<VideoPipe> video = VideoPipe::Start(*Animate().video, Options().width, Options().height,
                                                   Animate().fps.value_or(kDefaultFps));
        if (!video) return Failure(video.error());
        video_.emplace(*std::move(video));
        return {};
    }

    [[nodiscard]] Result<> CheckPath() {
        if (!Options().quiet)
            SayLines(err_, "measuring the orbits of frames " + std::to_string(range_.first) + " to " +
                               std::to_string(range_.last));
        ThreadPool pool(threads_);
        Result<std::vector<FrameChaos>> chaos =
            zephyrin::CheckPath(prepared_.animation, range_.first, range_.last, seed_, pool);
        if (!chaos) return Failure(chaos.error());
        chaos_ = *std::move(chaos);
        // Heard of before the drawing, which may take long.
        if (const auto flagged = FlaggedFrames(); !flagged.empty() && !Options().quiet)
            SayLines(err_, "note: frames " + FlaggedKind() + ": " + FrameListText(flagged));
        return {};
    }

    ProgressReport Report(std::int64_t frame) {
        if (!progressOnTerminal_ || Options().quiet) return {};
        return [this, frame](const RenderProgress& progress) {
            // Of this member's frames.
            const double framesToDraw =
                static_cast<double>((range_.last - range_.first - share_.index) / share_.count + 1);
            const double done =
                static_cast<double>((frame - range_.first) / share_.count) + progress.fraction;
            bar_.Show({iterations_ + progress.iterations, Seconds(), done / framesToDraw});
        };
    }

    double Seconds() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

    [[nodiscard]] Result<> DrawOrKeep(std::int64_t frame) {
        const FrameChaos& chaos = chaos_[static_cast<std::size_t>(frame - range_.first)];
        const std::filesystem::path name = pattern_.Name(frame);
        std::string line = "frame " + std::to_string(frame) + "  L " + Measure(chaos.measures.lyapunov, 4) +
                           "  D2 " + Measure(chaos.measures.dimension, 3);
        if (Flagged(chaos.verdict, Options().quasiPeriodic))
            line += "  " + std::string(VerdictText(chaos.verdict));
        std::error_code error;
        if (Animate().skipExisting && std::filesystem::exists(name, error)) {
            if (video_ && share_.Whole()) {
                Result<Picture> kept = ReadPngPicture(name);
                if (!kept) return Failure(kept.error());
                if (Result<> added = video_->Add(*kept); !added) return added;
            }
            Line(line + "  kept");
            return {};
        }
        Result<DrawnFrame> drawn = Draw(frame);
        if (!drawn) return Failure(drawn.error());
        iterations_ += drawn->iterations;
        const FrameRow row{frame, chaos.measures.lyapunov, chaos.measures.dimension, drawn->litShare,
                           drawn->meanBrightness};
        const Result<> saved =
            Options().depth == 16 ? SaveImage16(drawn->wide, name, ColourChange::kAgreed, drawn->parameters)
                                  : SaveImage(drawn->picture, name, ColourChange::kAgreed, drawn->parameters);
        if (!saved) return saved;
        if (video_ && share_.Whole())
            if (Result<> added = video_->Add(drawn->picture); !added) return added;
        table_.Set(row);
        drawnRows_.push_back(row);
        // Written as it grows, so that a stopped run leaves the rows of its
        // frames; in a team by the first alone.
        if (share_.index == 0)
            if (Result<> written = table_.Write(tablePath_); !written) return written;
        Line(line + "  lit " + FormatFixed(drawn->litShare, 3, '.') + "  brightness " +
             FormatFixed(drawn->meanBrightness, 4, '.'));
        return {};
    }

    [[nodiscard]] Result<DrawnFrame> Draw(std::int64_t frame) {
        const std::string size = std::to_string(Options().width) + " x " + std::to_string(Options().height);
        try {
            return drawer_->Draw(frame, Report(frame));
        } catch (const std::bad_alloc&) {
            return Failure("not enough memory to draw frame " + std::to_string(frame) + " of " + size +
                           " pixels");
        } catch (const std::system_error& error) {
            return Failure(std::string("cannot start the drawing threads: ") + error.what());
        }
    }

    std::vector<std::int64_t> FlaggedFrames() const {
        std::vector<std::int64_t> flagged;
        for (const FrameChaos& chaos : chaos_)
            if (Flagged(chaos.verdict, Options().quasiPeriodic)) flagged.push_back(chaos.frame);
        return flagged;
    }

    std::string FlaggedKind() const {
        return Options().quasiPeriodic ? "neither chaotic nor quasi-periodic" : "not chaotic";
    }

    void Summarise() {
        const std::vector<std::int64_t> flagged = FlaggedFrames();
        Line(flagged.empty() ? "no frame is " + FlaggedKind()
                             : "frames " + FlaggedKind() + ": " + FrameListText(flagged));
        const std::int64_t count = range_.last - range_.first + 1;
        Line(std::to_string(count) + (count == 1 ? " frame (" : " frames (") + std::to_string(range_.first) +
             "-" + std::to_string(range_.last) + " of " + std::to_string(FrameCount(prepared_.animation)) +
             "), " + std::to_string(iterations_) + " iterations drawn, " + FormatFixed(Seconds(), 2, '.') +
             " s (seed " + std::to_string(seed_) + ", " + std::to_string(threads_) +
             (threads_ == 1 ? " thread)" : " threads)"));
    }

    std::ostream& out_;
    std::ostream& err_;
    ProgressBar bar_;
    bool progressOnTerminal_;
    Clock::time_point start_ = Clock::now();
    PreparedAnimation prepared_;
    FrameRange range_;
    FramePattern pattern_;
    std::filesystem::path tablePath_;
    FrameTable table_;
    std::uint64_t seed_ = 0;
    std::int32_t threads_ = 1;
    std::optional<FrameDrawer> drawer_;
    std::optional<VideoPipe> video_;
    std::vector<FrameChaos> chaos_;
    std::int64_t iterations_ = 0;
    RenderTeam* team_;
    RenderShare share_;
    std::vector<FrameRow> drawnRows_;  // of this run
};

}  // namespace

int RunAnimation(const RenderOptions& options, std::ostream& out, std::ostream& err, bool progressOnTerminal,
                 RenderTeam* team) {
    return AnimationRun(out, err, progressOnTerminal, team).Run(options);
}

}  // namespace zephyrin

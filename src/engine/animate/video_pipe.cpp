#include "engine/animate/video_pipe.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <ctime>
#include <system_error>
#include <utility>
#include <vector>

#include "util/number_format.h"

extern char** environ;

namespace zephyrin {
namespace {

std::string Quoted(const std::filesystem::path& path) {
    return "\"" + path.string() + "\"";
}

std::string Reason(int error) {
    return std::error_code(error, std::generic_category()).message();
}

bool TakesH264(const std::filesystem::path& video) {
    std::string extension = video.extension().string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".mp4" || extension == ".m4v" || extension == ".mov" || extension == ".mkv";
}

std::vector<std::string> Arguments(const std::string& program, const std::filesystem::path& partial,
                                   int width, int height, double fps, bool h264) {
    std::vector<std::string> arguments{program,
                                       "-hide_banner",
                                       "-loglevel",
                                       "error",
                                       "-y",
                                       "-f",
                                       "rawvideo",
                                       "-pix_fmt",
                                       "rgb24",
                                       "-video_size",
                                       std::to_string(width) + "x" + std::to_string(height),
                                       "-framerate",
                                       FloatToStr(fps, '.'),
                                       "-i",
                                       "pipe:0",
                                       "-vf",
                                       "pad=ceil(iw/2)*2:ceil(ih/2)*2"};
    if (h264) arguments.insert(arguments.end(), {"-c:v", "libx264", "-pix_fmt", "yuv420p"});
    arguments.push_back(partial.string());
    return arguments;
}

// Writes everything, with SIGPIPE held back on this thread so that an ffmpeg
// that ended early is a failed write (EPIPE), not the end of this process.
int WriteAll(int fd, const char* data, std::size_t size) {
    sigset_t pipeSignal, previous;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previous);
    int error = 0;
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) {
            error = errno;
            break;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    if (error == EPIPE && !sigismember(&previous, SIGPIPE)) {
        const timespec now{0, 0};
        sigtimedwait(&pipeSignal, nullptr, &now);  // the one this write raised
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return error;
}

}  // namespace

Result<VideoPipe> VideoPipe::Start(const std::filesystem::path& video, int width, int height, double fps,
                                   const std::string& program) {
    std::filesystem::path partial = video;
    partial.replace_filename("." + video.stem().string() + ".partial" + video.extension().string());
    const std::vector<std::string> arguments =
        Arguments(program, partial, width, height, fps, TakesH264(video));
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return Failure("cannot make the video " + Quoted(video) + ": " + Reason(errno));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[0], STDIN_FILENO);
    pid_t child = -1;
    const int spawned = posix_spawnp(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[0]);
    if (spawned != 0) {
        close(fds[1]);
        if (spawned == ENOENT)
            return Failure(
                "cannot make the video " + Quoted(video) + ": the program \"" + program +
                "\" was not found; install ffmpeg (Debian: apt install ffmpeg) or leave out --video");
        return Failure("cannot start \"" + program + "\" for the video " + Quoted(video) + ": " +
                       Reason(spawned));
    }
    return VideoPipe(video, partial, width, height, child, fds[1]);
}

VideoPipe::VideoPipe(std::filesystem::path video, std::filesystem::path partial, int width, int height,
                     pid_t child, int input)
    : video_(std::move(video)),
      partial_(std::move(partial)),
      width_(width),
      height_(height),
      child_(child),
      input_(input) {}

VideoPipe::VideoPipe(VideoPipe&& other) noexcept
    : video_(std::move(other.video_)),
      partial_(std::move(other.partial_)),
      width_(other.width_),
      height_(other.height_),
      child_(std::exchange(other.child_, -1)),
      input_(std::exchange(other.input_, -1)) {}

VideoPipe::~VideoPipe() {
    Abandon();
}

void VideoPipe::Abandon() {
    if (input_ >= 0) close(std::exchange(input_, -1));
    if (child_ > 0) {
        kill(child_, SIGTERM);
        waitpid(std::exchange(child_, -1), nullptr, 0);
        std::error_code ignored;
        std::filesystem::remove(partial_, ignored);
    }
}

Result<> VideoPipe::Add(const Picture& frame) {
    if (frame.Width() != width_ || frame.Height() != height_)
        return Failure("a frame of another size for the video " + Quoted(video_));
    rgb_.resize(static_cast<std::size_t>(width_) * height_ * 3);
    for (std::size_t i = 0, pixels = rgb_.size() / 3; i < pixels; ++i) {
        const std::uint32_t word = frame.Words()[i];
        rgb_[3 * i] = static_cast<char>(word >> 16 & 0xFF);
        rgb_[3 * i + 1] = static_cast<char>(word >> 8 & 0xFF);
        rgb_[3 * i + 2] = static_cast<char>(word & 0xFF);
    }
    if (const int error = WriteAll(input_, rgb_.data(), rgb_.size()); error != 0) {
        Abandon();
        return Failure("ffmpeg stopped taking the frames of " + Quoted(video_) + ": " + Reason(error));
    }
    return {};
}

Result<> VideoPipe::Finish() {
    if (child_ <= 0) return Failure("the video " + Quoted(video_) + " was abandoned");
    close(std::exchange(input_, -1));
    int status = 0;
    while (waitpid(child_, &status, 0) < 0 && errno == EINTR) {
    }
    child_ = -1;
    std::error_code error;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::filesystem::remove(partial_, error);
        return Failure("ffmpeg could not make the video " + Quoted(video_) +
                       (WIFEXITED(status) ? " (exit status " + std::to_string(WEXITSTATUS(status)) + ")"
                                          : std::string(" (it was stopped)")));
    }
    std::filesystem::rename(partial_, video_, error);
    if (!error) return {};
    std::error_code ignored;
    std::filesystem::remove(partial_, ignored);
    return Failure("cannot write the video " + Quoted(video_) + ": " + error.message());
}

}  // namespace zephyrin

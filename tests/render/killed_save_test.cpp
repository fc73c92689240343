// The built program ended by SIGINT, SIGTERM or SIGHUP in the middle of a
// save: it dies by that signal, the old picture stays as it was and no
// temporary file is left beside it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "imaging/temp_folder.h"

extern char** environ;

namespace zephyrin {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

// The wait status of the program, which raises `signal` in its first save
// just before the file is replaced (a hook for the tests alone).
int RunSignalledInSave(int signal, std::vector<std::string> arguments) {
    std::vector<std::string> environment = {"ZEPHYRIN_TEST_SIGNAL_IN_SAVE=" + std::to_string(signal)};
    for (char** variable = environ; *variable != nullptr; ++variable) environment.emplace_back(*variable);
    arguments.insert(arguments.begin(), ZEPHYRIN_RENDER_PROGRAM);
    const auto pointers = [](std::vector<std::string>& texts) {
        std::vector<char*> list;
        for (std::string& text : texts) list.push_back(text.data());
        list.push_back(nullptr);
        return list;
    };
    std::vector<char*> argv = pointers(arguments), envp = pointers(environment);

    // Whatever this test runs under, the child starts with the signals' default actions.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t set;
    sigemptyset(&set);
    posix_spawnattr_setsigmask(&attributes, &set);
    for (const int each : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&set, each);
    posix_spawnattr_setsigdefault(&attributes, &set);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &files, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    int status = -1;
    if (spawned == 0) waitpid(child, &status, 0);
    return status;
}

TEST(KilledSave, TheOldPictureStaysAndNoTemporaryFileIsLeft) {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        TempFolder folder;
        const fs::path picture = folder / "p.png";
        std::ofstream(picture) << "the old picture";
        const int status =
            RunSignalledInSave(signal, {"--size", "40x30", "--iterations", "1000", "-o", picture.string()});
        ASSERT_TRUE(WIFSIGNALED(status)) << "signal " << signal << ", status " << status;
        EXPECT_EQ(WTERMSIG(status), signal);
        std::ifstream in(picture, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "the old picture");
        EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(folder.Path()), {}), std::vector{picture})
            << "signal " << signal;
    }
}

}  // namespace
}  // namespace zephyrin

#include "platform/process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/paths.h"

extern char** environ;

namespace platform {
namespace {

pid_t spawn(const std::string& program, const std::vector<std::string>& arguments, bool newSession) {
    const std::string path = resolvePath(program);
    std::vector<std::string> words;
    words.push_back(path);
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    if (newSession) posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = -1;
    const int result = ::posix_spawn(&pid, path.c_str(), nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    return result == 0 ? pid : -1;
}

} // namespace

Process::~Process() {
    if (isRunning()) {
        int status;
        ::waitpid(pid_, &status, WNOHANG);
    }
}

bool Process::start(const std::string& program, const std::vector<std::string>& arguments) {
    if (isRunning()) return false;
    ended_ = false;
    exitCode_ = 0;
    pid_ = spawn(program, arguments, false);
    return pid_ > 0;
}

bool Process::poll(int& exitCode) {
    if (pid_ <= 0) return false;
    if (!ended_) {
        int status = 0;
        const pid_t done = ::waitpid(pid_, &status, WNOHANG);
        if (done != pid_) return false;
        ended_ = true;
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    exitCode = exitCode_;
    return true;
}

void Process::terminate() {
    if (isRunning()) ::kill(pid_, SIGTERM);
}

bool startDetached(const std::string& program, const std::vector<std::string>& arguments) {
    // A double fork would be needed to avoid a zombie; a new session plus ignoring the child
    // is enough here because the updater replaces this program, which exits right after.
    return spawn(program, arguments, true) > 0;
}

} // namespace platform

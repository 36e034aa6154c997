#pragma once
// Child programs: started with arguments, polled for their exit code without blocking.
#include <string>
#include <sys/types.h>
#include <vector>

namespace platform {

class Process {
public:
    Process() = default;
    ~Process(); // a child still running is left to run; it is reaped when the program ends
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool start(const std::string& program, const std::vector<std::string>& arguments);
    // True once the child has ended, with its exit code (a signal gives 128 + its number).
    bool poll(int& exitCode);
    bool isRunning() const { return pid_ > 0 && !ended_; }
    // Asks a running child to end (SIGTERM); poll then tells when it has.
    void terminate();

private:
    pid_t pid_ = -1;
    bool ended_ = false;
    int exitCode_ = 0;
};

// Starts a program that outlives this one; the program's own exit code is never collected.
bool startDetached(const std::string& program, const std::vector<std::string>& arguments);

} // namespace platform

#include "app/parameter_faults.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <utility>

#include "app/log.h"

namespace parameterfaults {

namespace {

// Constant-initialised, so a handler installed by another static initialiser is never overwritten.
std::atomic<Handler> installed{nullptr};

} // namespace

// Game code sets parameters by name every frame; a wrong name would flood the log.
void logOnce(const std::string& typeName, const std::string& parameterName, const char* action, const char* reason) {
    static std::mutex mutex;
    static std::set<std::pair<std::string, std::string>> logged;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!logged.emplace(typeName, parameterName).second) return;
    }
    LOG_MESSAGE("Ignored %s parameter \"%s\" of \"%s\": %s", action, parameterName.c_str(), typeName.c_str(), reason);
}

Handler setHandler(Handler handler) { return installed.exchange(handler); }

void report(const std::string& typeName, const std::string& parameterName, const char* action, const char* reason) {
    if (Handler handler = installed.load()) {
        handler(typeName, parameterName, action, reason);
        return;
    }
    // The program run by a test (ZODERUD_TESTING set) stops at once, so the test fails on it.
    static const bool testing = std::getenv("ZODERUD_TESTING") != nullptr;
    if (testing) {
        std::fprintf(stderr, "Parameter fault: %s parameter \"%s\" of \"%s\": %s\n", action, parameterName.c_str(),
                     typeName.c_str(), reason);
        std::abort();
    }
    logOnce(typeName, parameterName, action, reason);
}

} // namespace parameterfaults

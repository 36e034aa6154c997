#pragma once
// What happens when code sets or reads a parameter by a name that its group lacks, or as another
// kind: the program logs it once per group and name and goes on. Under tests (ZODERUD_TESTING set)
// it fails the running test, naming the group's type and the parameter: a test program installs a
// handler that records a test failure, and the program itself run by a test stops with the message.
#include <string>

namespace parameterfaults {

// action is "setting" or "reading"; reason says what was wrong.
using Handler = void (*)(const std::string& typeName, const std::string& parameterName, const char* action,
                         const char* reason);

// Replaces the handler and answers the one before; null restores the default: logOnce, or under
// tests (ZODERUD_TESTING set) a message and the end of the process, so the program run by a test
// fails it.
Handler setHandler(Handler handler);

// The program's handling: one log line per type and parameter name.
void logOnce(const std::string& typeName, const std::string& parameterName, const char* action, const char* reason);

void report(const std::string& typeName, const std::string& parameterName, const char* action, const char* reason);

// The reasons reported.
inline constexpr const char* missing = "the group has no parameter of that name";
inline constexpr const char* otherKind = "the parameter is of another kind";

} // namespace parameterfaults

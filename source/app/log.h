#pragma once
// The one diagnostic output: a line with its source file and line, sent to stderr and to the
// global log signal.
#include <string>

#include "app/sigslot.h"

// Every logged line is emitted here as well; receivers get their own copy of the text.
sigslot::signal1<std::string>& globalLogSignal();

// printf-style; the format is always a literal of the caller's, never text from data.
// At most 511 characters of a line survive. Returns 0.
int logMessage(const char* format, const char* sourceFile, int line, ...) __attribute__((format(printf, 1, 4)));

// Path of a source file below "source/", as the log line names it.
constexpr const char* sourceRelativePath(const char* path) {
    const char* found = path;
    for (const char* p = path; *p; ++p) {
        if (p[0] == 's' && p[1] == 'o' && p[2] == 'u' && p[3] == 'r' && p[4] == 'c' && p[5] == 'e' &&
            p[6] == '/' && (p == path || p[-1] == '/')) {
            found = p + 7;
        }
    }
    return found;
}

#define LOG_MESSAGE(format, ...) logMessage(format, sourceRelativePath(__FILE__), __LINE__ __VA_OPT__(, ) __VA_ARGS__)

#include "app/log.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

sigslot::signal1<std::string>& globalLogSignal() {
    static sigslot::signal1<std::string> signal;
    return signal;
}

int logMessage(const char* format, const char* sourceFile, int line, ...) {
    if (!format) format = "";
    char message[512];
    va_list args;
    va_start(args, line);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);

    std::string text = std::string(sourceFile ? sourceFile : "") + "(" + std::to_string(line) + "): " + message;
    const std::size_t formatLength = std::strlen(format);
    if (formatLength == 0 || format[formatLength - 1] != '\n') text += '\n';
    // The line is kept to what fits the 512-byte buffer; a cut line loses its newline.
    if (text.size() > 511) text.resize(511);

    globalLogSignal().emit(text);
    std::fputs(text.c_str(), stderr);
    return 0;
}

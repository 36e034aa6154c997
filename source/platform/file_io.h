#pragma once
// Whole-file reads and crash-safe whole-file writes.
#include <string>

namespace platform {

bool readWholeFile(const std::string& path, std::string& out);
// Writes data to a temporary file beside path, flushes it to disk and renames it over path,
// so path holds either the old contents or the new ones. On failure the old file is kept and
// error (when given) says what went wrong.
bool writeFileAtomically(const std::string& path, const std::string& data, std::string* error = nullptr);

} // namespace platform

#pragma once
// Whole-file reads and crash-safe whole-file writes.
#include <cstddef>
#include <limits>
#include <string>

namespace platform {

// Reads the whole file into out. False, out unchanged, when it can't be read, or when it holds
// more than sizeLimit bytes (errno is then EFBIG; no more than the limit is ever read).
bool readWholeFile(const std::string& path, std::string& out,
                   std::size_t sizeLimit = std::numeric_limits<std::size_t>::max());
// Writes data to a temporary file beside path, flushes it to disk and renames it over path,
// so path holds either the old contents or the new ones. On failure the old file is kept and
// error (when given) says what went wrong.
bool writeFileAtomically(const std::string& path, const std::string& data, std::string* error = nullptr);

} // namespace platform

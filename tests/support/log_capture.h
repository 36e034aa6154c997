#pragma once
// Collects every line logged while it exists.
#include <string>
#include <vector>

#include "app/log.h"

class LogCapture : public sigslot::has_slots<> {
public:
    LogCapture() { globalLogSignal().connect(this, &LogCapture::onLine); }

    const std::vector<std::string>& lines() const { return lines_; }
    // True when some line contains text.
    bool contains(const std::string& text) const {
        for (const auto& line : lines_) {
            if (line.find(text) != std::string::npos) return true;
        }
        return false;
    }
    void clear() { lines_.clear(); }

private:
    void onLine(std::string line) { lines_.push_back(std::move(line)); }
    std::vector<std::string> lines_;
};

#include "app/program_pointer.h"

#include <atomic>

namespace programpointer {

namespace {
std::atomic<bool> pointerDrawn{false};
} // namespace

void setDrawn(bool drawn) { pointerDrawn.store(drawn); }
bool drawn() { return pointerDrawn.load(); }

} // namespace programpointer

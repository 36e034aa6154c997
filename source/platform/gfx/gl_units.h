#pragma once
// Texture unit reserved for resource uploads and read-backs, so they never disturb what the
// device has bound for drawing (device-internal).
namespace gfx {
constexpr unsigned kScratchTextureUnit = 31;
constexpr unsigned kMaxSamplers = 16;
} // namespace gfx

#pragma once
// Reads a render paths file: which renderables to create, and the data folders of each.
#include <string>
#include <vector>

struct PathGroup {
    std::string name;               // the registered renderable type name
    std::vector<std::string> paths; // in document order
};

// The groups of the file in document order; empty when the file can't be read or its root isn't
// "RenderPaths". With logProgress the UI reader's progress lines are logged.
std::vector<PathGroup> readRenderPaths(const std::string& path, bool logProgress = false);

#include "ui_render/ui_asset_files.h"

#include "render/render_interface.h"

std::list<FileEntry> listUIAssetFiles(const RenderInterface* renderInterface, const std::string& folder,
                                      const std::string& extension) {
    std::list<FileEntry> files;
    const std::string& base = renderInterface ? renderInterface->workingDirectory() : std::string();
    std::string listed = folder;
    listFiles(base.empty() ? "." : base, listed, extension, files, false, false);
    return files;
}

std::list<std::string> listUIAssetFolders(const RenderInterface* renderInterface, const std::string& folder) {
    const std::string& base = renderInterface ? renderInterface->workingDirectory() : std::string();
    std::string searched = folder;
    toAbsoluteWindowsPath(searched, base.empty() ? "." : base);
    std::list<FileEntry> folders;
    listDirectories(searched, folders);
    std::list<std::string> names;
    for (const FileEntry& entry : folders) {
        if (!entry.name.empty() && entry.name[0] != '.') names.push_back(entry.name);
    }
    return names;
}

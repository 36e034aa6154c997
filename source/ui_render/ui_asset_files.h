#pragma once
// The image files and sub-folders of a render-path folder, found relative to the program's data
// folder.
#include <list>
#include <string>

#include "app/directory_lister.h"

class RenderInterface;

// The files of folder (not its sub-folders) whose extension is extension, in listing order.
std::list<FileEntry> listUIAssetFiles(const RenderInterface* renderInterface, const std::string& folder,
                                      const std::string& extension);

// The names of folder's sub-folders, in listing order, without hidden ones (".git" and the like,
// which hold no assets).
std::list<std::string> listUIAssetFolders(const RenderInterface* renderInterface, const std::string& folder);

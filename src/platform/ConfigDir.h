#pragma once
// The configuration folder: $PIXFOLD_CONFIG_DIR, else $XDG_CONFIG_HOME/pixfold,
// else ~/.config/pixfold. It holds registry.db and Pixfold.INI.

#include <string>

namespace pixfold {

std::string ConfigDir();

// The cache folder: $XDG_CACHE_HOME/pixfold, else ~/.cache/pixfold. What is
// kept there can be made again; it holds the thumbnail cache.
std::string CacheDir();

// Creates the folder and its parents; true when it exists afterwards.
bool MakeDirs(const std::string& path);

}  // namespace pixfold

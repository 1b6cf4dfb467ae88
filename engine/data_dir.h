// Where the engine finds its data files: the folder "DATA/" beside the executable,
// unless the application or a test points it elsewhere.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace qw {

// The data directory in use. Defaults to <directory of the running executable>/DATA.
const std::filesystem::path& DataDirectory();

// Points the engine at another data directory (tests, the data builder, --data).
void SetDataDirectory(const std::filesystem::path& directory);

// The full path of a file in the data directory.
std::string DataFilePath(std::string_view fileName);

}  // namespace qw

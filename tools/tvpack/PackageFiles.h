// The files a setup carries: every file of the files folder, the setup engine first, the
// others sorted by name. The stub writes them all into one folder under their own names, so
// the folder may not hold subfolders, and every name must be one that Windows can create and
// that the entry header can carry.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct PackageFile {
    std::string Name;        // as written into the entry header
    std::string SourcePath;  // where tvpack reads it
    uint64_t Size = 0;
    uint32_t DosDate = 0;
    bool IsEngine = false;
};

bool ListPackageFiles(const std::string& folder, const std::string& engineName, std::vector<PackageFile>& files,
                      std::string& error);

// Why a name cannot be a file name of the package, or empty when it can.
std::string PackageFileNameProblem(const std::string& name);

#pragma once
// A unique folder under the temporary directory, removed with everything in it at the end.

#include <set>
#include <string>

namespace tessaly::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, ending with a backslash.
    const std::string& path() const { return path_; }
    // Creates a file with the given bytes in the folder and returns its full path.
    std::string write(const std::string& name, const std::string& bytes = "x") const;

private:
    std::string path_;
};

// The whole content of a file, or an empty string when it cannot be read.
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
// Creates one folder (its parent must exist).
bool makeFolder(const std::string& path);
// The folder of the running test program, where the other programs of the build lie.
std::string programFolder();
// The names in a folder (ending with its separator), without "." and "..".
std::set<std::string> namesIn(const std::string& folder);

} // namespace tessaly::test

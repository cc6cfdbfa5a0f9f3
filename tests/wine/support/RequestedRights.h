#pragma once
// The rights this program's own code asks for when it opens a registry key or a file. Wine
// grants a key whatever is asked and lets a handle do whatever is called on it; Windows refuses
// an open that asks for more than the key's ACL grants, and a call (FlushFileBuffers, say) on a
// handle without the rights its documentation names. So a test holds the recorded rights against
// the ACL and the calls instead.

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace tessaly::test {

// While it lives, RegOpenKeyExW of the program's import table goes through a recorder that notes
// each key path and the rights asked for, and passes the call on. One at a time.
class RequestedKeyRights {
public:
    RequestedKeyRights();
    ~RequestedKeyRights();
    RequestedKeyRights(const RequestedKeyRights&) = delete;
    RequestedKeyRights& operator=(const RequestedKeyRights&) = delete;

    const std::vector<std::pair<std::wstring, REGSAM>>& requests() const;
};

// The same for CreateFileW: each path as given and the access asked for.
class RequestedFileRights {
public:
    RequestedFileRights();
    ~RequestedFileRights();
    RequestedFileRights(const RequestedFileRights&) = delete;
    RequestedFileRights& operator=(const RequestedFileRights&) = delete;

    const std::vector<std::pair<std::wstring, DWORD>>& requests() const;
};

} // namespace tessaly::test

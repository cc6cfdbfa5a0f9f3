#pragma once
// The rights this program's own code asks for when it opens or creates a registry key. Wine
// grants a key whatever is asked; Windows refuses an open that asks for more than the key's ACL
// grants, so a test holds the recorded rights against the ACL instead.

#include <windows.h>

#include <string>
#include <vector>

namespace tessaly::test {

struct KeyRequest {
    std::string call; // "RegOpenKeyExW" or "RegCreateKeyExW"
    std::wstring path;
    REGSAM rights;
};

// While it lives, RegOpenKeyExW and RegCreateKeyExW of the program's import table go through a
// recorder that notes each request and passes it on. One at a time.
class RequestedKeyRights {
public:
    RequestedKeyRights();
    ~RequestedKeyRights();
    RequestedKeyRights(const RequestedKeyRights&) = delete;
    RequestedKeyRights& operator=(const RequestedKeyRights&) = delete;

    // False when the program imports neither call, so nothing could be recorded.
    bool recording() const { return patched_ > 0; }
    const std::vector<KeyRequest>& requests() const;

private:
    int patched_ = 0;
};

} // namespace tessaly::test

#pragma once
// The rights this program's own code asks for when it opens a registry key. Wine grants a key
// whatever is asked; Windows refuses an open that asks for more than the key's ACL grants, so a
// test holds the recorded rights against the ACL instead.

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

} // namespace tessaly::test

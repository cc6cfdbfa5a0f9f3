#pragma once
// Records every message shown and answers from a script.

#include "platform/MessageBoxes.h"

#include <deque>
#include <string>
#include <vector>

namespace tessaly::test {

struct ShownMessage {
    MessageOwner owner;
    std::string text;
    std::string caption;
    unsigned style;
};

class ScriptedMessageBoxes final : public MessageBoxes {
public:
    std::vector<ShownMessage> shown;
    std::deque<int> answers;  // given in order
    int otherwise = mb::IdOk; // the answer once the script has run out

    int show(MessageOwner owner, const std::string& text, const std::string& caption,
             unsigned style) override {
        shown.push_back({owner, text, caption, style});
        if (answers.empty())
            return otherwise;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

} // namespace tessaly::test

#pragma once

#include "engine/Reporter.h"

#include <ostream>
#include <string>
#include <vector>

namespace quorvel::testing {

struct Box {
    std::u16string text;
    std::u16string title;
    int style = 0;
    bool operator==(const Box&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Box& box)
{
    const auto ascii = [](const std::u16string& s) {
        std::string r;
        for (char16_t c : s)
            r.push_back(c < 128 ? static_cast<char>(c) : '?');
        return r;
    };
    return out << '[' << ascii(box.title) << ": " << ascii(box.text) << " /" << box.style << ']';
}

class RecordingReporter : public Reporter {
public:
    void message(const std::u16string& text, const std::u16string& title, int style) override
    {
        boxes.push_back({text, title, style});
    }
    std::vector<Box> boxes;
};

} // namespace quorvel::testing

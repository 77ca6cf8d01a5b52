#include "fakes/FakeServices.h"

#include <cstring>

namespace quorvel::test {

void FakeDialogs::messageBox(const QString& text, const QString& title, MessageStyle style)
{
    messages.push_back({text, title, static_cast<int>(style)});
    if (onMessage)
        onMessage(messages.back());
}

QString FakeDialogs::inputBox(const QString& prompt, const QString& title,
                              const QString& defaultText)
{
    inputRequests.push_back({prompt, title, defaultText});
    if (inputAnswers.empty())
        return {};
    QString answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

void FakeZOrder::setTopmost(QWidget* window, bool topmost)
{
    calls.push_back({window, topmost});
    if (onCall)
        onCall(calls.back());
}

long FakeRegistry::openKey(Key, const std::string& subKey, unsigned long access, Key& key)
{
    openedKeys.push_back(subKey);
    accessRequested.push_back(access);
    if (!keys.contains(subKey))
        return kFileNotFound;
    if (openStatus != kSuccess)
        return openStatus;
    handles_.push_back(subKey);
    key = handles_.size();
    ++openHandles;
    return kSuccess;
}

long FakeRegistry::queryValue(Key key, const std::string& valueName, unsigned long& type,
                              unsigned char* buffer, unsigned long& size)
{
    if (key == 0 || key > handles_.size())
        return 6; // invalid handle
    const auto& values = keys.at(handles_[key - 1]);
    const auto found = values.find(valueName);
    if (found == values.end())
        return kFileNotFound;
    type = found->second.type;
    if (found->second.data.size() > size) {
        size = static_cast<unsigned long>(found->second.data.size());
        return 234; // more data
    }
    std::memcpy(buffer, found->second.data.data(), found->second.data.size());
    size = static_cast<unsigned long>(found->second.data.size());
    return kSuccess;
}

long FakeRegistry::closeKey(Key)
{
    --openHandles;
    return kSuccess;
}

} // namespace quorvel::test

#pragma once

#include "platform/Services.h"

#include <QStringList>

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

class QWidget;

namespace quorvel::test {

struct ShownMessage {
    QString text;
    QString title;
    int style = 0;
    bool operator==(const ShownMessage&) const = default;
};

class FakeDialogs : public platform::Dialogs {
public:
    void messageBox(const QString& text, const QString& title, MessageStyle style) override
    {
        messages.push_back({text, title, static_cast<int>(style)});
        if (onMessage)
            onMessage(messages.back());
    }
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override
    {
        inputRequests.push_back({prompt, title, defaultText});
        if (inputAnswers.empty())
            return {};
        const QString answer = inputAnswers.front();
        inputAnswers.pop_front();
        return answer;
    }

    std::vector<ShownMessage> messages;
    // Runs while a message box is "open", to look at the windows behind it.
    std::function<void(const ShownMessage&)> onMessage;

    struct InputRequest {
        QString prompt;
        QString title;
        QString defaultText;
    };
    std::vector<InputRequest> inputRequests;
    std::deque<QString> inputAnswers; // an empty queue answers as Cancel does
};

class FakeShell : public platform::Shell {
public:
    int open(const QString& target) override
    {
        opened.append(target);
        return result;
    }

    int result = 42;
    QStringList opened;
};

class FakeClipboard : public platform::Clipboard {
public:
    void clear() override { calls.append(QStringLiteral("clear")); }
    void setText(const QString& text) override { calls.append("setText:" + text); }

    QStringList calls; // "clear" and "setText:<text>" in order
};

class FakeZOrder : public platform::ZOrder {
public:
    struct Call {
        QWidget* window;
        bool topmost;
    };
    void setTopmost(QWidget* window, bool topmost) override
    {
        calls.push_back({window, topmost});
        if (onCall)
            onCall(calls.back());
    }

    std::vector<Call> calls;
    // Runs after a call is recorded, e.g. to make the platform fail.
    std::function<void(const Call&)> onCall;
};

class FakeRegistry : public platform::Registry {
public:
    struct Value {
        unsigned long type = 1;
        std::vector<unsigned char> data;
    };

    long openKey(Key, const std::string& subKey, unsigned long access, Key& key) override
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
    long queryValue(Key key, const std::string& valueName, unsigned long& type,
                    unsigned char* buffer, unsigned long& size) override
    {
        // at() throws on a key never opened.
        const auto& values = keys.at(handles_.at(key - 1));
        const auto found = values.find(valueName);
        if (found == values.end())
            return kFileNotFound;
        type = found->second.type;
        const auto& data = found->second.data;
        const bool fits = data.size() <= size;
        if (fits) // std::copy: an empty value may come with null pointers, unlike memcpy's
            std::copy(data.begin(), data.end(), buffer);
        size = static_cast<unsigned long>(data.size());
        return fits ? kSuccess : 234; // 234: more data
    }
    long closeKey(Key) override
    {
        --openHandles;
        return kSuccess;
    }

    // subKey -> valueName -> value
    std::map<std::string, std::map<std::string, Value>> keys;
    long openStatus = kSuccess; // used when the key exists
    std::vector<std::string> openedKeys;
    std::vector<unsigned long> accessRequested;
    int openHandles = 0;

private:
    std::vector<std::string> handles_;
};

class FakePrograms : public platform::Programs {
public:
    bool isOrdinaryFile(const QString& path) override { return ordinaryFiles.contains(path); }
    bool startDetached(const QString& path) override
    {
        started.append(path);
        return startSucceeds;
    }

    QStringList ordinaryFiles;
    QStringList started;
    bool startSucceeds = true;
};

class FakeInstanceGuard : public platform::InstanceGuard {
public:
    bool anotherInstanceRunning() override { return anotherRunning; }
    bool anotherRunning = false;
};

struct FakeServices {
    FakeDialogs dialogs;
    FakeShell shell;
    FakeClipboard clipboard;
    FakeZOrder zOrder;
    FakeRegistry registry;
    FakePrograms programs;
    FakeInstanceGuard instanceGuard;
    platform::Services services{dialogs,  shell,    clipboard,    zOrder,
                                registry, programs, instanceGuard};
};

} // namespace quorvel::test

#pragma once
// A Dialogs fake for GUI tests: the test states the dialogs it expects, in order (message box
// kind, language key, answer; or a file dialog and the path it returns). A dialog that was not
// expected, or one of another kind or key, fails the test; so does an expected dialog that
// never came (checked by verify() and at the latest when the fake is destroyed).
#include "seams/Dialogs.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace vireo::test
{

class ScriptedDialogs : public Dialogs
{
public:
    ~ScriptedDialogs() override { verify(); }

    ScriptedDialogs &expectMessage(MsgIcon icon, std::string key, MsgButton answer = Ok)
    {
        expected_.push_back({Kind::Message, icon, std::move(key), answer, std::nullopt});
        return *this;
    }
    // A file dialog answering with path (std::nullopt: the user cancels).
    ScriptedDialogs &expectOpenFile(std::optional<std::string> path)
    {
        expected_.push_back({Kind::Open, MsgIcon::Information, {}, Ok, std::move(path)});
        return *this;
    }
    ScriptedDialogs &expectSaveFile(std::optional<std::string> path)
    {
        expected_.push_back({Kind::Save, MsgIcon::Information, {}, Ok, std::move(path)});
        return *this;
    }

    // Fails the test for every expected dialog that has not been shown, and forgets them.
    void verify()
    {
        for (const Expected &e : expected_)
            ADD_FAILURE() << "expected dialog was not shown: " << describe(e);
        expected_.clear();
    }

    bool allShown() const { return expected_.empty(); }
    const std::vector<MessageRequest> &messages() const { return messages_; }
    const std::vector<FileRequest> &fileRequests() const { return files_; }

    MsgButton message(const MessageRequest &request) override
    {
        messages_.push_back(request);
        if (expected_.empty() || expected_.front().kind != Kind::Message ||
            expected_.front().icon != request.icon || expected_.front().key != request.key) {
            ADD_FAILURE() << "unexpected message box: " << describe(request)
                          << (expected_.empty() ? std::string(" (none expected)")
                                                : "; expected " + describe(expected_.front()));
            return escapeAnswer(request.buttons);
        }
        const MsgButton answer = expected_.front().answer;
        expected_.pop_front();
        if (!(request.buttons & answer))
            ADD_FAILURE() << "scripted answer " << answer << " is not a button of " << describe(request);
        return answer;
    }

    std::optional<std::string> openFileName(const FileRequest &request) override
    {
        return file(Kind::Open, request);
    }
    std::optional<std::string> saveFileName(const FileRequest &request) override
    {
        return file(Kind::Save, request);
    }

private:
    enum class Kind { Message, Open, Save };
    struct Expected {
        Kind kind;
        MsgIcon icon;
        std::string key;
        MsgButton answer;
        std::optional<std::string> path;
    };

    static const char *iconName(MsgIcon icon)
    {
        switch (icon) {
        case MsgIcon::Information:
            return "information";
        case MsgIcon::Warning:
            return "warning";
        case MsgIcon::Error:
            return "error";
        case MsgIcon::Question:
            return "question";
        }
        return "?";
    }

    static std::string describe(const Expected &e)
    {
        if (e.kind == Kind::Open)
            return "open-file dialog";
        if (e.kind == Kind::Save)
            return "save-file dialog";
        return std::string(iconName(e.icon)) + " box \"" + e.key + "\"";
    }

    static std::string describe(const MessageRequest &r)
    {
        std::ostringstream s;
        s << iconName(r.icon) << " box \"" << r.key << "\" (text \"" << r.text << "\", buttons " << r.buttons
          << ")";
        return s.str();
    }

    // What closing the box without choosing would answer: Cancel, else No, else OK.
    static MsgButton escapeAnswer(unsigned buttons)
    {
        if (buttons & Cancel)
            return Cancel;
        if (buttons & No)
            return No;
        return Ok;
    }

    std::optional<std::string> file(Kind kind, const FileRequest &request)
    {
        files_.push_back(request);
        if (expected_.empty() || expected_.front().kind != kind) {
            ADD_FAILURE() << "unexpected " << (kind == Kind::Open ? "open" : "save")
                          << "-file dialog (filter \"" << request.filter << "\")"
                          << (expected_.empty() ? std::string()
                                                : "; expected " + describe(expected_.front()));
            return std::nullopt;
        }
        std::optional<std::string> path = expected_.front().path;
        expected_.pop_front();
        return path;
    }

    std::deque<Expected> expected_;
    std::vector<MessageRequest> messages_;
    std::vector<FileRequest> files_;
};

} // namespace vireo::test

#pragma once
// A Dialogs fake that never fails anything: it records every box and file dialog in order and
// answers by a policy, so a run whose dialogs are not known beforehand (the fault matrix) can
// look at them afterwards. Questions get the answer that lets the flow go on (Yes, else OK),
// except the offer to save the working values first, which is declined so no save dialog
// comes in between. File dialogs answer from a callback, or cancel.
#include "seams/Dialogs.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vireo::test
{

class RecordingDialogs : public Dialogs
{
public:
    enum class Kind { Message, Open, Save };
    struct Event {
        Kind kind = Kind::Message;
        MessageRequest message; // Kind::Message
        FileRequest file;       // Kind::Open, Kind::Save
        MsgButton answer = Ok;  // Kind::Message
    };

    // The path a file dialog returns (nothing: the user cancels).
    std::function<std::optional<std::string>(Kind, const FileRequest &)> fileAnswer;
    // Runs while a file dialog is open, as the window's timer would inside its event loop.
    std::function<void()> whileFileDialogOpen;
    // Overrides the answer policy for a box; return nothing to keep the policy's answer.
    std::function<std::optional<MsgButton>(const MessageRequest &)> answerOverride;

    const std::vector<Event> &events() const { return events_; }
    std::size_t size() const { return events_.size(); }
    void clear() { events_.clear(); }

    MsgButton message(const MessageRequest &request) override
    {
        Event e;
        e.kind = Kind::Message;
        e.message = request;
        e.answer = policyAnswer(request);
        if (answerOverride)
            if (const auto answer = answerOverride(request); answer && (request.buttons & *answer))
                e.answer = *answer;
        events_.push_back(e);
        return e.answer;
    }
    std::optional<std::string> openFileName(const FileRequest &request) override
    {
        return file(Kind::Open, request);
    }
    std::optional<std::string> saveFileName(const FileRequest &request) override
    {
        return file(Kind::Save, request);
    }

    // A box that asks something (more than an OK button).
    static bool isQuestion(const MessageRequest &r) { return (r.buttons & ~unsigned{Ok}) != 0; }

    // Yes, else OK, else the first button offered; No to the offer to save first.
    static MsgButton policyAnswer(const MessageRequest &r)
    {
        if (r.key == SaveFirstQuestionKey && (r.buttons & No))
            return No;
        for (MsgButton b : {Yes, Ok, No, Cancel})
            if (r.buttons & b)
                return b;
        return Ok;
    }

    static constexpr const char *SaveFirstQuestionKey = "ParamReadMessage";

private:
    std::optional<std::string> file(Kind kind, const FileRequest &request)
    {
        Event e;
        e.kind = kind;
        e.file = request;
        events_.push_back(e);
        if (whileFileDialogOpen) {
            const auto hook = whileFileDialogOpen; // the hook may replace itself
            hook();
        }
        return fileAnswer ? fileAnswer(kind, request) : std::nullopt;
    }

    std::vector<Event> events_;
};

} // namespace vireo::test

#pragma once
// Helpers of the parameter file tests: a scratch directory, raw word files, a parameter set
// with a distinct value in every word, and dialogs that follow a script.
#include "params/ParameterSet.h"
#include "seams/Dialogs.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace vireo::test
{

class ScratchDir
{
public:
    ScratchDir()
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("vireo-files-") + info->test_suite_name() + "-" + info->name();
        for (char &c : name)
            if (c == '/')
                c = '_';
        path_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path &path() const { return path_; }
    std::filesystem::path operator/(const std::string &name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline void writeBytes(const std::filesystem::path &path, const std::vector<std::uint8_t> &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline void writeWords(const std::filesystem::path &path, const std::vector<std::uint16_t> &words)
{
    std::vector<std::uint8_t> bytes;
    for (std::uint16_t w : words) {
        bytes.push_back(static_cast<std::uint8_t>(w & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(w >> 8));
    }
    writeBytes(path, bytes);
}

inline std::vector<std::uint8_t> readBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every word of every record and block different, starting at base (negative values too).
inline ParameterSet distinctValues(int base)
{
    ParameterSet s;
    int v = base;
    for (auto &axis : s.axes)
        for (auto &rec : axis)
            for (auto &w : rec.words)
                w = static_cast<std::int16_t>(v++);
    for (auto &w : s.common.words)
        w = static_cast<std::int16_t>(v++);
    for (PresetBlock *b : {&s.z, &s.g, &s.j})
        for (auto &w : b->words)
            w = static_cast<std::int16_t>(v++);
    return s;
}

// Dialogs that expect exactly the scripted sequence; anything else fails the test.
class ScriptedFileDialogs : public Dialogs
{
public:
    struct Step {
        enum Kind { Message, Open, Save } kind;
        std::string text;                  // message: its text; open/save: the filter
        MsgButton answer = Ok;             // message answer
        std::optional<std::string> chosen; // open/save: the chosen path, nothing = cancel
    };

    void expectMessage(std::string text, MsgButton answer)
    {
        script_.push_back({Step::Message, text, answer, {}});
    }
    void expectOpen(std::optional<std::string> chosen) { script_.push_back({Step::Open, {}, Ok, chosen}); }
    void expectSave(std::optional<std::string> chosen) { script_.push_back({Step::Save, {}, Ok, chosen}); }
    bool done() const { return script_.empty(); }

    std::vector<MessageRequest> messages;
    std::vector<FileRequest> fileRequests;

    MsgButton message(const MessageRequest &request) override
    {
        messages.push_back(request);
        const Step step = next(Step::Message, request.text);
        EXPECT_EQ(request.text, step.text);
        return step.answer;
    }
    std::optional<std::string> openFileName(const FileRequest &request) override
    {
        fileRequests.push_back(request);
        return next(Step::Open, "open dialog").chosen;
    }
    std::optional<std::string> saveFileName(const FileRequest &request) override
    {
        fileRequests.push_back(request);
        return next(Step::Save, "save dialog").chosen;
    }

private:
    Step next(Step::Kind kind, const std::string &what)
    {
        if (script_.empty()) {
            ADD_FAILURE() << "unexpected dialog: " << what;
            return {kind, {}, Cancel, std::nullopt};
        }
        Step step = script_.front();
        script_.pop_front();
        EXPECT_EQ(step.kind, kind) << "dialog out of order: " << what;
        return step;
    }
    std::deque<Step> script_;
};

} // namespace vireo::test

// One flow at a time, what a close request leads to, and which edits count as never written.
#include "app/FlowGuard.h"

#include <gtest/gtest.h>

namespace vireo
{
namespace
{

TEST(FlowGuard, OneFlowAtATimeAndACloseAskedMeanwhileFollowsOnce)
{
    FlowGuard guard;
    ASSERT_TRUE(guard.begin(Flow::FirmwareUpdate));
    // A click between two blocks, a tick, another button: all refused, the update unchanged.
    for (Flow other : {Flow::Write, Flow::Polling, Flow::FirmwareUpdate, Flow::Connect})
        EXPECT_FALSE(guard.begin(other));
    EXPECT_EQ(guard.running(), Flow::FirmwareUpdate);

    guard.closeWhenDone();
    EXPECT_TRUE(guard.end());
    EXPECT_FALSE(guard.busy());
    EXPECT_FALSE(guard.closePending());

    ASSERT_TRUE(guard.begin(Flow::Read));
    EXPECT_FALSE(guard.end()); // the close was handed on once
}

TEST(FlowGuard, CloseRequestByRunningFlowAndEdits)
{
    struct Case {
        std::optional<Flow> running;
        bool unwritten;
        CloseStep step;
    };
    const Case cases[] = {
        {std::nullopt, false, CloseStep::Close},
        {std::nullopt, true, CloseStep::AskUnwritten},
        {Flow::FirmwareUpdate, false, CloseStep::AskToFinish},
        {Flow::FirmwareUpdate, true, CloseStep::AskToFinish},
        {Flow::Write, true, CloseStep::CloseWhenDone}, // asked about the edits once it has ended
        {Flow::Reset, false, CloseStep::CloseWhenDone},
        {Flow::Polling, false, CloseStep::CloseWhenDone},
    };
    for (const Case &c : cases)
        EXPECT_EQ(closeStep(c.running, c.unwritten), c.step)
            << "flow " << (c.running ? static_cast<int>(*c.running) : -1) << ", unwritten " << c.unwritten;
}

TEST(FlowGuard, OnlyRecordsTheUserChangedAreUnwritten)
{
    const std::pair<Selector, ModeSet> records[] = {{Selector::A, 0}, {Selector::E, 2}, {Selector::R, 1},
                                                    {Selector::C, 0}, {Selector::Z, 0}, {Selector::G, 0},
                                                    {Selector::J, 0}};
    for (const auto &[selector, k] : records) {
        for (Origin origin : {Origin::Unknown, Origin::Unit, Origin::File, Origin::Preset, Origin::User}) {
            RecordOrigins origins;
            for (auto &sets : origins.axes)
                sets.fill(Origin::Unit);
            origins.common = origins.z = origins.g = origins.j = Origin::Unit;
            origins.of(selector, k) = origin;
            EXPECT_EQ(hasUnwrittenEdits(origins), origin == Origin::User)
                << static_cast<char>(selector) << k << " origin " << static_cast<int>(origin);
        }
    }
    EXPECT_FALSE(hasUnwrittenEdits(RecordOrigins{}));
}

} // namespace
} // namespace vireo

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cutter_model.h"

namespace {

TEST(VirtualCutterModel, SplitsTheByteStreamIntoCommandsAcrossWrites)
{
    CutterModel model;
    receive_write(&model, std::string("FW3\x03!5\x03\x1B\x04\x1B\x00", 11), 0.5);
    receive_write(&model, std::string("\x08TB5", 4), 0.75);
    receive_write(&model, "1,100\x03" "FB-125,0\x03", 1.0);
    std::vector<std::string> bytes, keys;
    for (const ReceivedCommand& c : model.commands) {
        bytes.push_back(c.bytes);
        keys.push_back(c.key);
    }
    EXPECT_EQ(bytes, (std::vector<std::string>{"FW3\x03", "!5\x03", "\x1B\x04",
                                                std::string("\x1B\x00\x08", 3), "TB51,100\x03",
                                                "FB-125,0\x03"}));
    EXPECT_EQ(keys, (std::vector<std::string>{"FW", "!", "ESC04", "ESC00", "TB51", "FB"}));
    EXPECT_EQ(model.commands[3].write, 2);  // completed by the second write
    EXPECT_EQ(model.state.condition_number, 3);
    EXPECT_EQ(model.state.speed, 5);
    EXPECT_EQ(model.state.blade_bits, 0x08);
    EXPECT_EQ(model.state.mark_size_steps, 100);
    EXPECT_EQ(model.state.feed, -125);
    EXPECT_EQ(model.transcript.size(), 6u);
    EXPECT_NE(model.transcript[4].find("1.000 s"), std::string::npos) << model.transcript[4];
    EXPECT_NE(model.transcript[4].find("TB51,100<ETX>"), std::string::npos);
    EXPECT_FALSE(model.has_reply);
}

TEST(VirtualCutterModel, QueriesLeaveRepliesOfTheLengthsTheControllerReads)
{
    struct Case { std::string command; Fault fault; std::string reply; };
    const std::vector<Case> cases = {
        {"\x1B\x05", Fault::None, "0\x03"},
        {"\x1B\x05", Fault::BufferBusy, "1\x03"},
        {"FG\x03", Fault::None, " 2.01 KVX\x03"},
        {"FG\x03", Fault::FirmwareV1, " 1.00 KVX\x03"},
        {"FG\x03", Fault::OtherModel, " 2.01 KVY\x03"},
        {"FQ5\x03", Fault::None, "    0\x03"},  // no marks read yet
        {"TB123,10,10\x03", Fault::MarksNotFound, "    1\x03"},
        {"TB23,10,10\x03", Fault::None, "    0\x03"},
        {"FQ5\x03", Fault::None, "    1\x03"},  // after the manual read
        {"FQ5\x03", Fault::NotReady, "    0\x03"},
        {"TB72,-3,7\x03" "TB71\x03", Fault::None, "   -3,    7\x03"},
        {"TB71\x03", Fault::OutOfRange, "   41,    7\x03"},
        {"FA\x03", Fault::None, "    0,    0\x03"},
        {"FA\x03", Fault::OutOfRange, "  201,    0\x03"},
        {"FA\x03", Fault::Garbage, "G#RB&GE!?xG#"},
        {"FA\x03", Fault::ShortReply, "    0,"},
        {"FG\x03", Fault::LongReply, " 2.01 KVX\x03" "EXTRA BYTES BEYOND THE READ"},
    };
    CutterModel model;
    for (const Case& c : cases) {
        model.faults.clear();
        if (c.fault != Fault::None) {
            model.faults[command_key(c.command)] = c.fault;
            model.faults["TB71"] = c.fault;
        }
        receive_write(&model, c.command, 0.0);
        PendingReply reply;
        ASSERT_TRUE(take_reply(&model, &reply, 0.0)) << printable(c.command);
        EXPECT_EQ(reply.bytes, c.reply) << printable(c.command);
        EXPECT_FALSE(take_reply(&model, &reply, 0.0));
    }
    model.faults = {{"FQ5", Fault::Silent}};
    receive_write(&model, "FQ5\x03", 0.0);
    PendingReply reply;
    EXPECT_FALSE(take_reply(&model, &reply, 0.0));
}

}  // namespace

#include "cutter_model.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr char ETX = '\x03';
constexpr char ESC = '\x1B';

struct FaultName {
    Fault fault;
    const char* name;
};

const FaultName FAULT_NAMES[] = {
    {Fault::None, "none"},         {Fault::Silent, "silent"},       {Fault::Garbage, "garbage"},
    {Fault::ShortReply, "short"},  {Fault::LongReply, "long"},      {Fault::LateReply, "late"},
    {Fault::BufferBusy, "busy"},   {Fault::OtherModel, "model"},    {Fault::FirmwareV1, "v1"},
    {Fault::NotReady, "notready"}, {Fault::MarksNotFound, "notfound"},
    {Fault::MarksNotRead, "notread"}, {Fault::OutOfRange, "range"}, {Fault::Scripted, "scripted"},
};

// The signed decimal numbers of a text command after its key, separated by commas.
std::vector<int> numbers_after(const std::string& command, const std::string& key)
{
    std::vector<int> numbers;
    std::size_t i = key.size();
    if (i < command.size() && command[i] == ',') {
        ++i;  // "TB51,159": the first number follows a comma
    }
    while (i < command.size() && command[i] != ETX) {
        char* end = nullptr;
        const long value = std::strtol(command.c_str() + i, &end, 10);
        const std::size_t used = static_cast<std::size_t>(end - (command.c_str() + i));
        if (used == 0) {
            break;
        }
        numbers.push_back(static_cast<int>(value));
        i += used;
        if (i < command.size() && command[i] == ',') {
            ++i;
        }
    }
    return numbers;
}

int number_or(const std::vector<int>& numbers, std::size_t index, int fallback)
{
    return index < numbers.size() ? numbers[index] : fallback;
}

std::string padded_number(int value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%5d", value);
    return text;
}

std::string garbage(std::size_t length)
{
    const std::string pattern = "G#RB&GE!?x";
    std::string text;
    while (text.size() < length) {
        text += pattern;
    }
    return text.substr(0, length);
}

Fault fault_for(const CutterModel& model, const std::string& key)
{
    const auto found = model.faults.find(key);
    return found == model.faults.end() ? Fault::None : found->second;
}

// Changes the state for one command and returns its normal reply ("" when it has none).
std::string execute(CutterModel* model, const std::string& command, const std::string& key,
                    Fault fault, bool* has_reply)
{
    CutterState& s = model->state;
    const std::vector<int> n = numbers_after(command, key);
    *has_reply = false;
    if (key == "ESC04") {
        return "";
    }
    if (key == "ESC05") {
        *has_reply = true;
        return std::string(fault == Fault::BufferBusy ? "1" : "0") + ETX;
    }
    if (key == "ESC00") {
        s.blade_bits = command.size() > 2 ? static_cast<unsigned char>(command[2]) : 0;
        ++s.blade_moves;
        return "";
    }
    if (key == "TT") s.started = true;
    else if (key == "FW") s.condition_number = number_or(n, 0, s.condition_number);
    else if (key == "!") s.speed = number_or(n, 0, s.speed);
    else if (key == "*") s.pressure = number_or(n, 1, s.pressure);
    else if (key == "FC") s.offset = number_or(n, 0, s.offset);
    else if (key == "FY") s.track_enhancing = number_or(n, 0, s.track_enhancing);
    else if (key == "FE") s.thick_media = number_or(n, 0, s.thick_media);
    else if (key == "FN") s.orientation = number_or(n, 0, s.orientation);
    else if (key == "FH") ++s.test_cuts;
    else if (key == "FJ") ++s.origins_set;
    else if (key == "TB51") s.mark_size_steps = number_or(n, 0, s.mark_size_steps);
    else if (key == "TB70") ++s.sensor_scans;
    else if (key == "FB") s.feed = number_or(n, 0, s.feed);
    else if (key == "TB72") {
        s.sensor_x = number_or(n, 0, s.sensor_x);
        s.sensor_y = number_or(n, 1, s.sensor_y);
    } else if (key == "TB99") s.marks_read = false;
    else if (key == "TB55") s.mark_read_arg = number_or(n, 0, s.mark_read_arg);
    else if (key == "TB123" || key == "TB23") {
        s.mark_distance_x = number_or(n, 0, 0);
        s.mark_distance_y = number_or(n, 1, 0);
        const bool failed = (key == "TB123" && fault == Fault::MarksNotFound) ||
                            (key == "TB23" && fault == Fault::MarksNotRead);
        s.marks_read = !failed;
        *has_reply = true;
        return padded_number(failed ? 1 : 0) + ETX;
    } else if (key == "FG") {
        *has_reply = true;
        const std::string firmware = fault == Fault::FirmwareV1 ? "1.00" : s.firmware;
        const std::string word = fault == Fault::OtherModel ? "KVY" : s.model_word;
        return " " + firmware + " " + word + ETX;
    } else if (key == "FQ5") {
        *has_reply = true;
        return padded_number(s.marks_read && fault != Fault::NotReady ? 1 : 0) + ETX;
    } else if (key == "TB71") {
        *has_reply = true;
        const int x = fault == Fault::OutOfRange ? 41 : s.sensor_x;
        return padded_number(x) + "," + padded_number(s.sensor_y) + ETX;
    } else if (key == "FA") {
        *has_reply = true;
        const int feed = fault == Fault::OutOfRange ? 201 : s.feed;
        return padded_number(feed) + "," + padded_number(0) + ETX;
    }
    return "";
}

void complete_command(CutterModel* model, const std::string& command, double seconds)
{
    const std::string key = command_key(command);
    const Fault fault = fault_for(*model, key);
    model->commands.push_back(ReceivedCommand{seconds, model->writes, command, key});

    bool has_reply = false;
    std::string reply = execute(model, command, key, fault, &has_reply);
    char line[160];
    std::snprintf(line, sizeof line, "[%10.3f s] write %d  %s", seconds, model->writes,
                  key.empty() ? "(unknown command)" : "");
    std::string text = line + printable(command);
    if (fault != Fault::None) {
        text += std::string("   [fault: ") + fault_name(fault) + "]";
    }
    model->transcript.push_back(text);

    if (fault == Fault::Scripted) {
        has_reply = true;
        reply = model->scripted_reply;
    }
    if (!has_reply) {
        return;
    }
    std::uint32_t delay = 0;
    switch (fault) {
    case Fault::Silent:
        model->has_reply = false;
        return;
    case Fault::Garbage: reply = garbage(reply.size()); break;
    case Fault::ShortReply: reply = reply.substr(0, reply.size() / 2); break;
    case Fault::LongReply: reply += "EXTRA BYTES BEYOND THE READ"; break;
    case Fault::LateReply: delay = model->late_reply_ms; break;
    default: break;
    }
    // A new command starts a new exchange: a reply nobody read is dropped.
    model->has_reply = true;
    model->reply = PendingReply{reply, delay};
}

}  // namespace

bool parse_fault(const std::string& name, Fault* fault)
{
    for (const FaultName& entry : FAULT_NAMES) {
        if (name == entry.name) {
            *fault = entry.fault;
            return true;
        }
    }
    return false;
}

const char* fault_name(Fault fault)
{
    for (const FaultName& entry : FAULT_NAMES) {
        if (fault == entry.fault) {
            return entry.name;
        }
    }
    return "?";
}

std::string command_key(const std::string& command)
{
    if (!command.empty() && command[0] == ESC) {
        char key[8];
        std::snprintf(key, sizeof key, "ESC%02X",
                      command.size() > 1 ? static_cast<unsigned char>(command[1]) : 0u);
        return key;
    }
    std::size_t i = 0;
    while (i < command.size() && command[i] != ETX && command[i] != ',' && command[i] != '-' &&
           !(command[i] >= '0' && command[i] <= '9')) {
        ++i;
    }
    std::string key = command.substr(0, i);
    if (key == "TB" || key == "FQ") {
        while (i < command.size() && command[i] >= '0' && command[i] <= '9') {
            key += command[i++];
        }
    }
    return key;
}

void receive_write(CutterModel* model, const std::string& bytes, double seconds)
{
    ++model->writes;
    model->write_log.push_back(bytes);
    for (char c : bytes) {
        model->partial += c;
        const std::string& p = model->partial;
        bool complete = false;
        if (p[0] == ESC) {
            // ESC 0x04 and ESC 0x05 are two bytes, ESC 0x00 <bits> three.
            complete = p.size() == 3 || (p.size() == 2 && p[1] != '\x00');
        } else {
            complete = c == ETX;
        }
        if (complete) {
            complete_command(model, model->partial, seconds);
            model->partial.clear();
        }
    }
}

bool take_reply(CutterModel* model, PendingReply* reply, double seconds)
{
    if (!model->has_reply) {
        return false;
    }
    *reply = model->reply;
    model->has_reply = false;
    char line[64];
    std::snprintf(line, sizeof line, "[%10.3f s]   reply ", seconds);
    model->transcript.push_back(line + printable(reply->bytes));
    return true;
}

std::string printable(const std::string& bytes)
{
    std::string text;
    for (char c : bytes) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == ETX) {
            text += "<ETX>";
        } else if (c == ESC) {
            text += "<ESC>";
        } else if (u < 0x20 || u >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "<%02X>", u);
            text += hex;
        } else {
            text += c;
        }
    }
    return text;
}

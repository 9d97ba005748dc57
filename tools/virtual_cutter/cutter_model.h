// The virtual cutter's brain, without the platform: it splits the bytes the controller sends
// into commands (ETX-terminated text, ESC 0x04, ESC 0x05, ESC 0x00 <bits>), keeps the cutter's
// state, makes the replies of the lengths the controller reads, misbehaves on request and keeps
// a transcript with time stamps.
#ifndef VIRTUAL_CUTTER_CUTTER_MODEL_H
#define VIRTUAL_CUTTER_CUTTER_MODEL_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Ways the cutter can misbehave, set per command key (see command_key()).
enum class Fault {
    None,
    Silent,         // no reply at all: the controller's read times out
    Garbage,        // a reply of the right length that is not what the controller expects
    ShortReply,     // only the first half of the reply
    LongReply,      // the reply and more bytes than the controller reads
    LateReply,      // the reply after late_reply_ms
    BufferBusy,     // ESC 0x05: "1", the buffer is not free
    OtherModel,     // FG: another model word
    FirmwareV1,     // FG: firmware 1.00
    NotReady,       // FQ5: 0
    MarksNotFound,  // TB123: the automatic search fails
    MarksNotRead,   // TB23: the manual read fails
    OutOfRange,     // TB71 and FA: corrections out of range
    Scripted,       // the bytes in scripted_reply, whatever the command
};

// Parses "silent", "garbage", "short", "long", "late", "busy", "model", "v1", "notready",
// "notfound", "notread", "range"; false for an unknown name.
bool parse_fault(const std::string& name, Fault* fault);
const char* fault_name(Fault fault);

// The cutter's state: what the commands set.
struct CutterState {
    bool        started = false;         // TT
    int         condition_number = 0;    // FW
    int         speed = 0;               // !
    int         pressure = 0;            // *0,
    int         offset = 0;              // FC
    int         track_enhancing = 0;     // FY
    int         thick_media = 0;         // FE
    int         orientation = 0;         // FN
    int         mark_size_steps = 0;     // TB51 (0.05 mm)
    int         sensor_x = 0;            // TB72, TB71: -40..40 steps
    int         sensor_y = 0;
    int         feed = 0;                // FB, FA: 0.01 %
    int         sensor_scans = 0;        // TB70
    int         blade_bits = 0;          // ESC 0x00: last direction bits, 0 stopped
    int         blade_moves = 0;
    int         test_cuts = 0;           // FH
    int         origins_set = 0;         // FJ
    int         mark_read_arg = 0;       // TB55
    int         mark_distance_x = 0;     // TB123 / TB23 (0.05 mm)
    int         mark_distance_y = 0;
    bool        marks_read = false;      // a mark read succeeded since TB99
    std::string firmware = "2.01";       // four characters
    std::string model_word = "KVX";
};

// One command as received.
struct ReceivedCommand {
    double      seconds;   // since the model started
    int         write;     // the number of the write that brought its last byte (from 1)
    std::string bytes;     // exactly as sent, terminator included
    std::string key;       // command_key()
};

// A reply waiting for the controller's read.
struct PendingReply {
    std::string bytes;
    std::uint32_t delay_ms;
};

struct CutterModel {
    CutterState state;
    std::map<std::string, Fault> faults;  // by command key
    std::string scripted_reply;
    std::uint32_t late_reply_ms = 300;
    bool switched_off = false;            // the library cannot open it
    bool refuse_transfers = false;        // connections break at once: transfers fail at once
    std::uint32_t write_stall_ms = 0;     // the cutter takes a write's bytes only after this

    std::string partial;                  // bytes of a command not yet complete
    int writes = 0;
    std::vector<std::string> write_log;   // every write's bytes, as they came
    std::vector<ReceivedCommand> commands;
    std::vector<std::string> transcript;  // readable lines
    bool has_reply = false;
    PendingReply reply;
};

// The fault key of a command: the letters before its first number ("FW", "!", "*", "FC"), with
// the number kept for the TB and FQ families ("TB123", "FQ5"), or "ESC04", "ESC05", "ESC00".
std::string command_key(const std::string& command);

// Feeds one write's bytes to the cutter at the given time. Completed commands change the state,
// are transcribed, and a query leaves its reply in model->reply (has_reply).
void receive_write(CutterModel* model, const std::string& bytes, double seconds);

// Takes the waiting reply, if any; the transcript notes what went out.
bool take_reply(CutterModel* model, PendingReply* reply, double seconds);

// The command's bytes in readable form: ETX as <ETX>, other control bytes as <1B>.
std::string printable(const std::string& bytes);

#endif

// The virtual cutter on a named pipe: the stand-in ZOLKUSBP.DLL connects to it once per
// transfer, says which direction it wants (one byte, 'W' or 'R') and gets one byte back: 'A'
// accepted, 'X' switched off. A write connection brings one write of the controller's bytes; a
// read connection gets the reply to the last query. Runs in its own program (virtual_cutter.exe)
// or inside a test.
#ifndef VIRTUAL_CUTTER_CUTTER_SERVER_H
#define VIRTUAL_CUTTER_CUTTER_SERVER_H

#include <cstdint>
#include <functional>
#include <string>

#include "cutter_model.h"

// The pipe the stand-in library connects to, unless the environment variable names another.
constexpr const char* DEFAULT_CUTTER_PIPE = "\\\\.\\pipe\\QuillmarkVirtualCutter";
constexpr const char* CUTTER_PIPE_VARIABLE = "QUILLMARK_CUTTER_PIPE";

constexpr char HELLO_WRITE = 'W';
constexpr char HELLO_READ = 'R';
constexpr char ANSWER_ACCEPTED = 'A';
constexpr char ANSWER_SWITCHED_OFF = 'X';

struct CutterServer;

// Starts serving the pipe; nullptr when the pipe cannot be created. Each new transcript line is
// also handed to on_line, when given (called with the model locked: keep it short).
CutterServer* start_cutter_server(const std::string& pipe_name,
                                  std::function<void(const std::string&)> on_line = nullptr);
void stop_cutter_server(CutterServer* server);

// Runs f on the model with the server's lock held: to set faults and state, or to read the
// transcript and the writes.
void with_model(CutterServer* server, const std::function<void(CutterModel*)>& f);

// Waits until the cutter has received at least `writes` writes; false after timeout_ms.
bool wait_for_writes(CutterServer* server, int writes, std::uint32_t timeout_ms);

#endif

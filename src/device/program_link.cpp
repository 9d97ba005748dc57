#include "program_link.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "common/launch_options.h"
#include "common/win_text.h"
#include "usb_transport.h"

namespace {

// A transfer that timed out is not cancelled: it may still take its bytes from, or put a late
// reply into, its buffer. These buffers live as long as the program, so that can never reach a
// command's stack frame that has gone.
char g_outgoing[COMMAND_BUFFER_SIZE];
char g_incoming[COMMAND_BUFFER_SIZE];

void debug_output(const char* text)
{
    OutputDebugStringA(text);
}

ResultCode link_write(const void* bytes, std::uint32_t count, std::uint32_t timeout_ms)
{
    if (count > sizeof g_outgoing) {
        count = sizeof g_outgoing;
    }
    std::memcpy(g_outgoing, bytes, count);
    return write_bytes(g_outgoing, count, timeout_ms);
}

ResultCode link_read(void* buffer, std::uint32_t count, std::uint32_t timeout_ms)
{
    if (count > sizeof g_incoming) {
        count = sizeof g_incoming;
    }
    // What the reply does not cover stays as the caller left it.
    std::memcpy(g_incoming, buffer, count);
    const ResultCode code = read_bytes(g_incoming, count, timeout_ms);
    if (code == RC_SUCCESS) {
        std::memcpy(buffer, g_incoming, count);
    }
    return code;
}

void sleep_for(std::uint32_t milliseconds)
{
    Sleep(milliseconds);
}

void demo_version_text(std::int32_t demo_mode, char* text, std::size_t size)
{
    const UINT id = demo_mode == DEMO_VERSION_1 ? IDS_DEMO_VERSION_1 : IDS_DEMO_VERSION_2;
    std::snprintf(text, size, "%s", load_text(id).c_str());
}

}  // namespace

CutterLink program_link(std::int32_t demo_mode)
{
    return CutterLink{debug_output, link_write, link_read, sleep_for, demo_version_text, demo_mode};
}

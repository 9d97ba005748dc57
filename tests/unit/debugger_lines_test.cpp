#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The debugger lines as a debugger reads them from a child that sends every command: each line
// is the Japanese label in code page 932, the command up to its first zero byte, and "\n".
struct Line {
    const wchar_t* label;
    std::string command;
};

std::string expected_output()
{
    const std::string E = "\x03";
    const std::vector<Line> lines = {
        {L"ファームバッファの確認(FULL_CHECK)：", "\x1B\x04"},
        {L"ファームバッファの確認(FREE_CHECK)：", "\x1B\x05"},
        {L"Cindrel コントローラ起動通知命令：", "TT" + E},
        {L"ファームバージョン応答：", "FG" + E},
        {L"カット条件変更命令(Quillmark)：", "FW3" + E + "!5" + E + "*0,2" + E + "FC0" + E},
        {L"ならし動作変更命令：", "FY1" + E},
        {L"カット条件番号変更命令：", "FW4" + E},
        {L"カット速度変更命令：", "!9" + E},
        {L"カット圧変更命令(Quillmark)：", "*0,3" + E},
        {L"カッターオフセット変更命令：", "FC-7" + E},
        {L"アツモノモード変更命令：", "FE1" + E},
        {L"デザインの向き変更命令：", "FN0" + E},
        {L"ペン移動命令：", "\x1B"},  // ESC 0x00 0x02: the line stops at the zero byte
        {L"テストカット命令：", "FH" + E},
        {L"原点セット命令：", "FJ" + E},
        {L"トンボサイズ変更命令：", "TB51,100" + E},
        {L"トンボセンサ位置補正スキャン命令：", "TB70" + E},
        {L"カット条件番号変更命令：", "FB-125,0" + E},
        {L"トンボセンサ位置補正書き込み命令：", "TB72,0,40" + E},
        {L"トンボ自動読取応答：", "TB99" + E + "TB55,1" + E + "TB123,3000,4000" + E},
        {L"トンボREADY/WAIT応答：", "FQ5" + E},
        {L"トンボ読取応答：", "TB99" + E + "TB55,1" + E + "TB23,3000,4000" + E},
        {L"トンボセンサ位置補正応答：", "TB71" + E},
        {L"送り方向応答：", "FA" + E},
        {L"ファームバージョン応答：", "FG" + E},  // demo mode: logged, not sent
    };
    std::string text;
    for (const Line& line : lines) {
        char label[256];
        const int size = WideCharToMultiByte(932, 0, line.label, -1, label, sizeof label, nullptr, nullptr);
        text += std::string(label, static_cast<std::size_t>(size) - 1) + line.command + "\n";
    }
    return text;
}

// Runs the child beside this test program under this process as its debugger and collects its
// debugger output.
std::string debugger_output_of_child(DWORD* exit_code)
{
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::strcpy(std::strrchr(program, '\\') + 1, "command_lines_child.exe");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program, nullptr, nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                        nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start " << program;
        return "";
    }
    std::string output;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    bool running = true;
    while (running && std::chrono::steady_clock::now() < deadline) {
        DEBUG_EVENT event = {};
        if (!WaitForDebugEvent(&event, 200)) {
            continue;
        }
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case OUTPUT_DEBUG_STRING_EVENT: {
            const OUTPUT_DEBUG_STRING_INFO& info = event.u.DebugString;
            std::string piece(info.nDebugStringLength, '\0');
            SIZE_T read = 0;
            ReadProcessMemory(process.hProcess, info.lpDebugStringData, &piece[0], piece.size(),
                              &read);
            output += piece.substr(0, read).c_str();  // without its terminator
            break;
        }
        case EXCEPTION_DEBUG_EVENT:
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT) {
                status = DBG_EXCEPTION_NOT_HANDLED;
            }
            break;
        case EXIT_PROCESS_DEBUG_EVENT:
            *exit_code = event.u.ExitProcess.dwExitCode;
            running = false;
            break;
        default:
            break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    }
    if (running) {
        ADD_FAILURE() << "the child did not finish";
        TerminateProcess(process.hProcess, 99);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return output;
}

TEST(DebuggerLines, EveryCommandIsLoggedWithItsCp932LabelBeforeItIsSent)
{
    DWORD exit_code = 12345;
    const std::string output = debugger_output_of_child(&exit_code);
    EXPECT_EQ(exit_code, 0u) << "commands that failed in the child";
    EXPECT_EQ(output, expected_output());
}

}  // namespace

#include "cutter_server.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <list>
#include <set>
#include <mutex>
#include <thread>

namespace {

// Workers listening at the start. Each worker owns one pipe instance and serves one connection
// after another on it; when the last listening worker takes a connection, another is started, so
// a connection never finds the cutter busy and never waits for a thread to be made.
constexpr int FIRST_WORKERS = 4;
constexpr DWORD PIPE_BUFFER = 4096;

}  // namespace

struct CutterServer {
    std::string pipe_name;
    std::function<void(const std::string&)> on_line;
    std::mutex lock;
    std::condition_variable changed;
    CutterModel model;
    std::size_t lines_reported = 0;
    HANDLE stop_event = nullptr;
    std::list<std::thread> workers;  // under the lock
    int listening = 0;               // workers waiting for a connection; under the lock
    bool stopping = false;           // under the lock: no new workers
    std::atomic<int> newest_read{0};
    // Writes are taken in the order their connections were opened: the controller opens one
    // connection per write, one after the other, and the cutter must see them in that order.
    int write_tickets = 0;
    int write_turn = 1;
    std::set<int> writes_done;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

namespace {

double seconds_since_start(const CutterServer* server)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - server->start).count();
}

// Hands new transcript lines to the watcher. Called with the lock held.
void report_lines(CutterServer* server)
{
    while (server->lines_reported < server->model.transcript.size()) {
        if (server->on_line) {
            server->on_line(server->model.transcript[server->lines_reported]);
        }
        ++server->lines_reported;
    }
}

// Each worker keeps one event for all its transfers: making and closing an event for each one
// cost two round trips to the Wine server, more than the transfer itself.
struct TransferEvent {
    HANDLE handle = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    TransferEvent() = default;
    TransferEvent(const TransferEvent&) = delete;
    TransferEvent& operator=(const TransferEvent&) = delete;
    ~TransferEvent()
    {
        if (handle != nullptr) {
            CloseHandle(handle);
        }
    }
};
thread_local TransferEvent t_transfer_event;

// One overlapped transfer on the cutter's end of a pipe that gives up when the server stops.
bool transfer(CutterServer* server, HANDLE pipe, bool write, void* bytes, DWORD count, DWORD* done)
{
    OVERLAPPED record = {};
    record.hEvent = t_transfer_event.handle;  // the transfer's start resets it
    *done = 0;
    BOOL ok = write ? WriteFile(pipe, bytes, count, nullptr, &record)
                    : ReadFile(pipe, bytes, count, nullptr, &record);
    DWORD error = GetLastError();
    if (!ok && error == ERROR_IO_PENDING) {
        HANDLE waits[2] = {record.hEvent, server->stop_event};
        if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
            CancelIo(pipe);
            GetOverlappedResult(pipe, &record, done, TRUE);
            return false;
        }
        ok = GetOverlappedResult(pipe, &record, done, FALSE);
        error = GetLastError();
    } else if (ok) {
        GetOverlappedResult(pipe, &record, done, FALSE);
    }
    return ok || error == ERROR_MORE_DATA;
}

// Waits for the milliseconds given; false when the server stops first.
bool pause(CutterServer* server, std::uint32_t milliseconds)
{
    return WaitForSingleObject(server->stop_event, milliseconds) != WAIT_OBJECT_0;
}

bool client_gone(HANDLE pipe)
{
    DWORD available = 0;
    return !PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr);
}

// Marks a write connection's turn as over and lets the next ones have theirs.
void finish_write_turn(CutterServer* server, int ticket)
{
    std::lock_guard<std::mutex> hold(server->lock);
    server->writes_done.insert(ticket);
    while (server->writes_done.erase(server->write_turn) != 0) {
        ++server->write_turn;
    }
    server->changed.notify_all();
}

void serve_writes(CutterServer* server, HANDLE pipe, int ticket, std::uint32_t stall_ms)
{
    // Until the cutter takes the bytes, the controller's write stays under way.
    if (stall_ms != 0 && !pause(server, stall_ms)) {
        finish_write_turn(server, ticket);
        return;
    }
    char bytes[PIPE_BUFFER];
    DWORD count = 0;
    bool first = true;
    while (transfer(server, pipe, false, bytes, sizeof bytes, &count)) {
        std::unique_lock<std::mutex> hold(server->lock);
        while (first && server->write_turn != ticket &&
               WaitForSingleObject(server->stop_event, 0) != WAIT_OBJECT_0) {
            server->changed.wait_for(hold, std::chrono::milliseconds(20));
        }
        receive_write(&server->model, std::string(bytes, count), seconds_since_start(server));
        report_lines(server);
        server->changed.notify_all();
        hold.unlock();
        if (first) {
            finish_write_turn(server, ticket);
            first = false;
        }
    }
    if (first) {
        finish_write_turn(server, ticket);
    }
}

void serve_read(CutterServer* server, HANDLE pipe)
{
    const int me = ++server->newest_read;
    PendingReply reply;
    for (;;) {
        std::unique_lock<std::mutex> hold(server->lock);
        server->changed.wait_for(hold, std::chrono::milliseconds(20),
                                 [&] { return server->model.has_reply; });
        // Only the newest read connection answers: an older one belongs to a read that the
        // controller has given up.
        if (server->newest_read != me || WaitForSingleObject(server->stop_event, 0) == WAIT_OBJECT_0) {
            return;
        }
        if (take_reply(&server->model, &reply, seconds_since_start(server))) {
            report_lines(server);
            break;
        }
        hold.unlock();
        if (client_gone(pipe)) {
            return;
        }
    }
    if (reply.delay_ms != 0 && !pause(server, reply.delay_ms)) {
        return;
    }
    DWORD count = 0;
    if (!transfer(server, pipe, true, &reply.bytes[0], static_cast<DWORD>(reply.bytes.size()),
                  &count)) {
        std::lock_guard<std::mutex> hold(server->lock);
        if (!server->model.has_reply) {
            server->model.has_reply = true;  // nobody took it: keep it for the next read
            server->model.reply = reply;
        }
        return;
    }
    // Keep the connection until the library lets it go, so the reply stays readable.
    char rest[16];
    while (transfer(server, pipe, false, rest, sizeof rest, &count)) {
    }
}

void serve_connection(CutterServer* server, HANDLE pipe)
{
    char hello = 0;
    DWORD count = 0;
    if (transfer(server, pipe, false, &hello, 1, &count) && count == 1) {
        bool off = false;
        bool refuse = false;
        std::uint32_t stall = 0;
        int ticket = 0;
        {
            std::lock_guard<std::mutex> hold(server->lock);
            if (hello == HELLO_WRITE) {
                ticket = ++server->write_tickets;
            }
            off = server->model.switched_off;
            refuse = server->model.refuse_transfers;
            stall = server->model.write_stall_ms;
        }
        char answer = off ? ANSWER_SWITCHED_OFF : ANSWER_ACCEPTED;
        if (!refuse && transfer(server, pipe, true, &answer, 1, &count) && !off) {
            if (hello == HELLO_WRITE) {
                serve_writes(server, pipe, ticket, stall);
                ticket = 0;
            } else if (hello == HELLO_READ) {
                serve_read(server, pipe);
            }
        } else if (!refuse && off) {
            // Let the library read the answer before the connection goes.
            char rest[16];
            while (transfer(server, pipe, false, rest, sizeof rest, &count)) {
            }
        }
        if (ticket != 0) {
            finish_write_turn(server, ticket);
        }
    }
    DisconnectNamedPipe(pipe);
}

HANDLE create_instance(const std::string& name, bool first)
{
    DWORD open_mode = PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED;
    if (first) {
        open_mode |= FILE_FLAG_FIRST_PIPE_INSTANCE;  // a second virtual cutter on the name fails
    }
    // No inbound buffer: a write of the controller completes when the cutter takes its bytes.
    return CreateNamedPipeA(name.c_str(), open_mode,
                            PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT,
                            PIPE_UNLIMITED_INSTANCES, PIPE_BUFFER, 0, 0, nullptr);
}

void run_worker(CutterServer* server, HANDLE pipe);

// Starts a worker on `pipe`, or on a new instance made here, so that it can be connected to before
// the worker runs. Called with the lock held.
void add_worker(CutterServer* server, HANDLE pipe)
{
    if (pipe == INVALID_HANDLE_VALUE) {
        pipe = create_instance(server->pipe_name, false);
    }
    ++server->listening;
    server->workers.emplace_back(run_worker, server, pipe);
}

// Waits for a client on the worker's instance; false when the server stops first.
bool wait_for_client(CutterServer* server, HANDLE pipe, OVERLAPPED* listening)
{
    ResetEvent(listening->hEvent);
    if (ConnectNamedPipe(pipe, listening) || GetLastError() == ERROR_PIPE_CONNECTED) {
        return true;
    }
    if (GetLastError() == ERROR_NO_DATA) {
        // A client came and went before the instance was waited on: listen again.
        DisconnectNamedPipe(pipe);
        return wait_for_client(server, pipe, listening);
    }
    if (GetLastError() != ERROR_IO_PENDING) {
        return false;
    }
    HANDLE waits[2] = {listening->hEvent, server->stop_event};
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
        CancelIo(pipe);
        DWORD done = 0;
        GetOverlappedResult(pipe, listening, &done, TRUE);
        return false;
    }
    return true;
}

void run_worker(CutterServer* server, HANDLE pipe)
{
    OVERLAPPED listening = {};
    listening.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    bool serving = pipe != INVALID_HANDLE_VALUE && listening.hEvent != nullptr;
    while (serving && wait_for_client(server, pipe, &listening)) {
        {
            std::lock_guard<std::mutex> hold(server->lock);
            if (--server->listening == 0 && !server->stopping) {
                add_worker(server, INVALID_HANDLE_VALUE);
            }
        }
        serve_connection(server, pipe);
        std::lock_guard<std::mutex> hold(server->lock);
        ++server->listening;
    }
    std::lock_guard<std::mutex> hold(server->lock);
    --server->listening;
    if (pipe != INVALID_HANDLE_VALUE) {
        CloseHandle(pipe);
    }
    if (listening.hEvent != nullptr) {
        CloseHandle(listening.hEvent);
    }
}

}  // namespace

CutterServer* start_cutter_server(const std::string& pipe_name,
                                  std::function<void(const std::string&)> on_line)
{
    // The instances are made here, so that a client finds the cutter as soon as this returns.
    HANDLE pipes[FIRST_WORKERS];
    for (int i = 0; i < FIRST_WORKERS; ++i) {
        pipes[i] = create_instance(pipe_name, i == 0);
        if (pipes[i] == INVALID_HANDLE_VALUE) {
            for (int j = 0; j < i; ++j) {
                CloseHandle(pipes[j]);
            }
            return nullptr;
        }
    }
    auto* server = new CutterServer;
    server->pipe_name = pipe_name;
    server->on_line = std::move(on_line);
    server->stop_event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::lock_guard<std::mutex> hold(server->lock);
    for (HANDLE pipe : pipes) {
        add_worker(server, pipe);
    }
    return server;
}

void stop_cutter_server(CutterServer* server)
{
    if (server == nullptr) {
        return;
    }
    {
        std::lock_guard<std::mutex> hold(server->lock);
        server->stopping = true;
    }
    SetEvent(server->stop_event);
    server->changed.notify_all();
    // No worker is added once stopping is set, so the list no longer changes.
    for (std::thread& worker : server->workers) {
        worker.join();
    }
    CloseHandle(server->stop_event);
    delete server;
}

void with_model(CutterServer* server, const std::function<void(CutterModel*)>& f)
{
    std::lock_guard<std::mutex> hold(server->lock);
    f(&server->model);
    report_lines(server);
    server->changed.notify_all();
}

bool wait_for_writes(CutterServer* server, int writes, std::uint32_t timeout_ms)
{
    std::unique_lock<std::mutex> hold(server->lock);
    return server->changed.wait_for(hold, std::chrono::milliseconds(timeout_ms),
                                    [&] { return server->model.writes >= writes; });
}

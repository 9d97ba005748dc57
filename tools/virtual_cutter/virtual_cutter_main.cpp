// virtual_cutter.exe: the virtual cutter as a program of its own, for a developer who wants to
// run the controller without hardware and watch what it sends.
//
//   virtual_cutter.exe [--pipe NAME] [--transcript FILE] [--fault KEY=KIND]... [--off]
//
// Every command received and every reply sent is printed with a time stamp (and appended to
// the transcript file when one is named). While it runs, lines typed on standard input change
// its behaviour: "fault KEY KIND", "clear", "off", "on", "refuse", "accept", "stall MS",
// "state", "quit".
#include <cstdio>
#include <cstring>
#include <iostream>
#include <mutex>
#include <sstream>
#include <string>

#include "cutter_server.h"

namespace {

std::mutex g_output_lock;
FILE* g_transcript = nullptr;

void print_line(const std::string& line)
{
    std::lock_guard<std::mutex> hold(g_output_lock);
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    if (g_transcript != nullptr) {
        std::fprintf(g_transcript, "%s\n", line.c_str());
        std::fflush(g_transcript);
    }
}

bool set_fault(CutterModel* model, const std::string& key, const std::string& kind)
{
    Fault fault = Fault::None;
    if (!parse_fault(kind, &fault)) {
        return false;
    }
    if (fault == Fault::None) {
        model->faults.erase(key);
    } else {
        model->faults[key] = fault;
    }
    return true;
}

void print_state(const CutterState& s)
{
    std::printf("condition %d speed %d pressure %d offset %d track %d thick %d orientation %d\n"
                "mark size %d (0.05 mm) distances %d,%d read arg %d marks read %d\n"
                "sensor %d,%d feed %d (0.01 %%) scans %d\n"
                "blade bits 0x%02X moves %d test cuts %d origins %d firmware %s %s\n",
                s.condition_number, s.speed, s.pressure, s.offset, s.track_enhancing,
                s.thick_media, s.orientation, s.mark_size_steps, s.mark_distance_x,
                s.mark_distance_y, s.mark_read_arg, s.marks_read ? 1 : 0, s.sensor_x, s.sensor_y,
                s.feed, s.sensor_scans, s.blade_bits, s.blade_moves, s.test_cuts, s.origins_set,
                s.firmware.c_str(), s.model_word.c_str());
    std::fflush(stdout);
}

int usage()
{
    std::fprintf(stderr,
                 "usage: virtual_cutter [--pipe NAME] [--transcript FILE] [--fault KEY=KIND]... "
                 "[--off]\n  KEY: TT FW ! * FC FY FE FN FH FJ FG FQ5 FA FB TB51 TB70 TB71 TB72 "
                 "TB99 TB55 TB123 TB23 ESC04 ESC05 ESC00\n  KIND: silent garbage short long late "
                 "busy model v1 notready notfound notread range none\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string pipe = DEFAULT_CUTTER_PIPE;
    CutterModel initial;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--pipe" && i + 1 < argc) {
            pipe = argv[++i];
        } else if (arg == "--transcript" && i + 1 < argc) {
            g_transcript = std::fopen(argv[++i], "a");
        } else if (arg == "--fault" && i + 1 < argc) {
            const std::string spec = argv[++i];
            const std::size_t eq = spec.find('=');
            if (eq == std::string::npos || !set_fault(&initial, spec.substr(0, eq), spec.substr(eq + 1))) {
                return usage();
            }
        } else if (arg == "--off") {
            initial.switched_off = true;
        } else {
            return usage();
        }
    }
    CutterServer* server = start_cutter_server(pipe, print_line);
    if (server == nullptr) {
        std::fprintf(stderr, "cannot serve %s (is another virtual cutter running?)\n", pipe.c_str());
        return 1;
    }
    with_model(server, [&](CutterModel* m) {
        m->faults = initial.faults;
        m->switched_off = initial.switched_off;
    });
    print_line("virtual cutter on " + pipe + (initial.switched_off ? " (switched off)" : ""));

    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string command, a, b;
        words >> command >> a >> b;
        bool known = true;
        with_model(server, [&](CutterModel* m) {
            if (command == "fault") known = set_fault(m, a, b);
            else if (command == "clear") m->faults.clear();
            else if (command == "off") m->switched_off = true;
            else if (command == "on") m->switched_off = false;
            else if (command == "refuse") m->refuse_transfers = true;
            else if (command == "accept") m->refuse_transfers = false;
            else if (command == "stall") m->write_stall_ms = static_cast<std::uint32_t>(std::atoi(a.c_str()));
            else if (command == "state") print_state(m->state);
            else if (command == "quit" || command.empty()) known = command == "quit" || command.empty();
            else known = false;
        });
        if (command == "quit") {
            break;
        }
        if (!known) {
            std::printf("? %s\n", line.c_str());
            std::fflush(stdout);
        }
    }
    stop_cutter_server(server);
    if (g_transcript != nullptr) {
        std::fclose(g_transcript);
    }
    return 0;
}

// A virtual cutter hosted in the test process on a pipe of the test's own, with the controller's
// transport loaded from our stand-in ZOLKUSBP.DLL beside the test program.
#ifndef TESTS_UNIT_VIRTUAL_CUTTER_FIXTURE_H
#define TESTS_UNIT_VIRTUAL_CUTTER_FIXTURE_H

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <string>

#include "cutter_server.h"
#include "common/launch_options.h"
#include "device/usb_transport.h"

class VirtualCutterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static int serial = 0;
        const std::string pipe = "\\\\.\\pipe\\QuillmarkTestCutter." + std::to_string(GetCurrentProcessId()) +
                                 "." + std::to_string(++serial);
        SetEnvironmentVariableA(CUTTER_PIPE_VARIABLE, pipe.c_str());
        server_ = start_cutter_server(pipe);
        ASSERT_NE(server_, nullptr);
        ASSERT_EQ(create_transfer_events(), RC_SUCCESS);
        ASSERT_EQ(load_usb_library(DEMO_OFF), RC_SUCCESS);
        ASSERT_EQ(find_cutter_printers(DEMO_OFF), RC_SUCCESS);
    }

    void TearDown() override
    {
        free_cutter_printer_list();
        close_transfer_events();
        stop_cutter_server(server_);
        g_spooler_calls = REAL_SPOOLER_CALLS;
    }

    void set(const std::function<void(CutterModel*)>& f) { with_model(server_, f); }

    CutterModel model()
    {
        CutterModel copy;
        with_model(server_, [&](CutterModel* m) { copy = *m; });
        return copy;
    }

    static double milliseconds_since(std::chrono::steady_clock::time_point start)
    {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }

    CutterServer* server_ = nullptr;
};

#endif

// The fixture of the Wine-side tests that drive one running copy of velmora.exe.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/controls.h"
#include "support/find.h"
#include "support/probe.h"
#include "support/program.h"

namespace rig {

class VelmoraTest : public ::testing::Test {
protected:
    Program program;
    HWND window = nullptr;

    // A failure comes with a report of every control, which says more than the bare assertion.
    void TearDown() override {
        if (HasFailure() && window) std::printf("probe of the window:\n%s", probeReport(window).c_str());
        dispose(program);
    }
    // Starts a fresh copy with `files` laid into its folder and waits for its window.
    void start(const std::vector<PlacedFile>& files = {}) {
        dispose(program);
        std::string error;
        ASSERT_TRUE(startVelmora(program, error, files)) << error;
        window = waitForVelmora(program.id);
        ASSERT_NE(window, nullptr) << "no visible window titled Velmora";
    }
    HWND control(Control id) const { return findControl(window, id); }
    bool enabled(Control id) const { return IsWindowEnabled(control(id)) != 0; }
};

}  // namespace rig

// The probe report: every control of a window with its place, texts, states and styles.
#include "support/probe.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "support/control_names.h"
#include "support/find.h"
#include "support/read.h"

namespace rig {
namespace {

std::string hex(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", (unsigned long)value);
    return text;
}

std::string place(const Box& box) {
    return "at=" + std::to_string(box.x) + "," + std::to_string(box.y) + " size=" + std::to_string(box.width) +
           "x" + std::to_string(box.height);
}

std::string controlLine(const ControlState& c) {
    return std::to_string(c.id) + " " + controlName(c.id) + " parent=" + std::to_string(c.parentId) +
           " class=" + c.className + " text=" + quoted(c.text) + " " + place(c.box) +
           " enabled=" + std::to_string(c.enabled) + " visible=" + std::to_string(c.visible) +
           " checked=" + std::to_string(c.checked) + " style=" + hex(c.style) + " exstyle=" + hex(c.exStyle);
}

}  // namespace

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '\r': out += "\\r"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            default: out += c;
        }
    }
    return out + "\"";
}

std::string probeReport(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    std::string report = "window text=" + quoted(textOf(window)) + " class=" + classOf(window) + " " +
                         place(boxOnScreen(window)) + " client=" + std::to_string(client.right) + "x" +
                         std::to_string(client.bottom) + " visible=" + std::to_string(IsWindowVisible(window) != 0) +
                         " style=" + hex(styleOf(window)) + " exstyle=" + hex(exStyleOf(window)) + "\n";
    std::vector<ControlState> controls;
    for (HWND control : descendants(window)) controls.push_back(readControl(control));
    std::stable_sort(controls.begin(), controls.end(),
                     [](const ControlState& a, const ControlState& b) { return a.id < b.id; });
    for (const ControlState& c : controls) report += controlLine(c) + "\n";
    return report;
}

}  // namespace rig

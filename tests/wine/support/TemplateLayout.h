#pragma once
// A dialog template as Windows builds it, compared with what it should be: the dialog's frame,
// caption, font and size, and each control in template order with its id, class, text, styles,
// visibility, enabled state and place in dialog units.

#include <windows.h>

#include <vector>

namespace tessaly::test {

// A static without an id of its own.
constexpr int kNoId = 0xFFFF;

struct ExpectedControl {
    int id;
    const char* className;
    const char* text; // null: not compared (an icon's static)
    RECT units;       // x, y, width, height in dialog units
    // Style bits compared, as the template gives them: the system changes some once the control
    // exists (an edit's border, a default button's state).
    DWORD styleMask;
    DWORD style;
    bool visible = true;
    bool enabled = true;
};

struct ExpectedTemplate {
    int templateId;
    const char* caption;
    const char* fontName;
    int width;
    int height;
    bool systemMenu;
    std::vector<ExpectedControl> controls; // in template order, which is the tab order
    bool modalFrame = true;
    bool minimizeBox = false;
    bool appWindow = false; // shown in the task bar
};

RECT Units(int x, int y, int width, int height);

// A control as the template in this module gives it.
struct TemplateItem {
    DWORD style;
    RECT units; // x, y, width, height
};

// Every control of a template, in template order; empty when there is no such template.
std::vector<TemplateItem> TemplateItems(int templateId);

// Compares a dialog created from the template, before anything but its initialisation ran.
void ExpectTemplate(HWND dialog, const ExpectedTemplate& layout);

} // namespace tessaly::test

#pragma once

#include "window/layout_table.h"

#include <windows.h>

#include <string_view>

class Desktop;
class FormFonts;

// The layout table's row of the control `name`.
const ControlSpec& SpecOf(std::u16string_view name);

// The control id of `name`, from its place in the layout table.
int ControlId(std::u16string_view name);

// The control `name` of the layout table, a child of `form`.
HWND FindControl(HWND form, std::u16string_view name);

// Creates every control of the layout that is a window, with its caption and design-time value,
// in its place and font at `dpi`, the frame following `desktop`'s high contrast. They are created
// in tab order, which is also the order the Tab key visits them in.
void CreateControls(HWND form, HINSTANCE instance, UINT dpi, const FormFonts& fonts,
                    const Desktop& desktop);

// Moves every control to its place at `dpi` and gives it its font.
void PlaceControls(HWND form, UINT dpi, const FormFonts& fonts);

// The client size of the form at `dpi`.
SIZE FormClientSize(UINT dpi);

#pragma once

#include "window/layout_table.h"
#include "window/win32/desktop.h"
#include "window/win32/unique_handles.h"

#include <string>

// The form's three fonts at one DPI: the dialog font for the controls without a font of their
// own, and font 1 and font 2 of the layout.
class FormFonts final {
public:
    FormFonts(UINT dpi, const DpiFunctions& functions, const Desktop& desktop);

    HFONT Of(FontRole role) const;

private:
    UniqueFont m_dialog;
    UniqueFont m_font1;
    UniqueFont m_font2;
};

// Font 1 or font 2 of the layout, in `face`, at `dpi`.
UniqueFont LayoutFont(const FontSpec& spec, const std::wstring& face, UINT dpi,
                      const Desktop& desktop);

// The face of `spec` by either of its names, where it is installed; else the first installed
// face with Simplified Chinese glyphs that draws every caption of the form; the face of `spec`
// again when there is none, for the font mapper to replace.
std::wstring ChineseFace(const FontSpec& spec, const Desktop& desktop);

#include "window/win32/fonts.h"

#include "window/win32/text.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace {

struct FaceSearch {
    std::wstring found;
};

int CALLBACK TakeFirstHorizontalFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD,
                                     LPARAM search) {
    // Faces named with a leading @ are the vertical-writing variants.
    if (font->lfFaceName[0] == L'@') {
        return 1;
    }
    reinterpret_cast<FaceSearch*>(search)->found = font->lfFaceName;
    return 0;
}

std::wstring FirstFace(HDC dc, const std::wstring& face, BYTE charset) {
    LOGFONTW query{};
    query.lfCharSet = charset;
    face.copy(query.lfFaceName, LF_FACESIZE - 1);
    FaceSearch search;
    EnumFontFamiliesExW(dc, &query, TakeFirstHorizontalFace, reinterpret_cast<LPARAM>(&search), 0);
    return search.found;
}

// Whether `font` has a glyph for every character of the captions shown in the dialog font.
bool ShowsDialogCaptions(HFONT font) {
    const WindowDc screen(nullptr);
    const HGDIOBJ previous = SelectObject(screen.Get(), font);
    bool showsAll = true;
    for (const ControlSpec& spec : kFormLayout) {
        if (spec.font != FontRole::PlatformDefault || spec.caption.empty()) {
            continue;
        }
        const std::wstring caption = ToWide(spec.caption);
        std::vector<WORD> glyphs(caption.size());
        GetGlyphIndicesW(screen.Get(), caption.c_str(), static_cast<int>(caption.size()),
                         glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
        showsAll = showsAll && std::find(glyphs.begin(), glyphs.end(), 0xFFFF) == glyphs.end();
    }
    SelectObject(screen.Get(), previous);
    return showsAll;
}

// The message font of dialogs; where its face has no Chinese glyphs (a Western Windows links
// them in, Wine shows boxes), `chineseFace` at the same size.
UniqueFont DialogFont(LOGFONTW font, const std::wstring& chineseFace) {
    UniqueFont dialog(CreateFontIndirectW(&font));
    if (!dialog || !ShowsDialogCaptions(dialog.get())) {
        font.lfCharSet = GB2312_CHARSET;
        std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), L'\0');
        chineseFace.copy(font.lfFaceName, LF_FACESIZE - 1);
        dialog.reset(CreateFontIndirectW(&font));
    }
    return dialog;
}

}  // namespace

UniqueFont LayoutFont(const FontSpec& spec, const std::wstring& face, UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(spec.points * dpi / 72.0));
    font.lfWeight = spec.weight;
    font.lfCharSet = static_cast<BYTE>(spec.charset);
    font.lfQuality = CLEARTYPE_QUALITY;
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    return UniqueFont(CreateFontIndirectW(&font));
}

std::wstring ChineseFace(const std::wstring& preferred) {
    const WindowDc screen(nullptr);
    for (const std::wstring& face : {preferred, std::wstring()}) {
        if (std::wstring found = FirstFace(screen.Get(), face, GB2312_CHARSET); !found.empty()) {
            return found;
        }
    }
    return preferred;
}

FormFonts::FormFonts(UINT dpi, const DpiFunctions& functions) {
    const FontSpec& font1 = FontOf(FontRole::Font1);
    const FontSpec& font2 = FontOf(FontRole::Font2);
    // Each face looked up costs a font enumeration at start-up.
    const std::wstring face1 = ChineseFace(ToWide(font1.face));
    const std::wstring face2 = font2.face == font1.face ? face1 : ChineseFace(ToWide(font2.face));
    m_dialog = DialogFont(functions.MessageFont(dpi), face1);
    m_font1 = LayoutFont(font1, face1, dpi);
    m_font2 = LayoutFont(font2, face2, dpi);
}

HFONT FormFonts::Of(FontRole role) const {
    switch (role) {
        case FontRole::Font1:
            return m_font1.get();
        case FontRole::Font2:
            return m_font2.get();
        case FontRole::PlatformDefault:
            break;
    }
    return m_dialog.get();
}

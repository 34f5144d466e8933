#include "window/win32/fonts.h"

#include "window/win32/text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <span>
#include <vector>

namespace {

constexpr FontRole kDialogRoles[] = {FontRole::PlatformDefault};
constexpr FontRole kAllRoles[] = {FontRole::PlatformDefault, FontRole::Font1, FontRole::Font2};

LONG PixelHeight(double points, UINT dpi) { return std::lround(points * dpi / 72.0); }

// Whether `font` has a glyph for every character of the captions shown in a font of `roles`.
bool DrawsCaptions(HFONT font, std::span<const FontRole> roles) {
    const WindowDc screen(nullptr);
    const HGDIOBJ previous = font ? SelectObject(screen.Get(), font) : nullptr;
    bool drawsAll = previous != nullptr;
    for (const ControlSpec& spec : kFormLayout) {
        if (std::ranges::find(roles, spec.font) == roles.end() || spec.caption.empty()) {
            continue;
        }
        const std::wstring caption = ToWide(spec.caption);
        std::vector<WORD> glyphs(caption.size());
        drawsAll = drawsAll &&
                   GetGlyphIndicesW(screen.Get(), caption.c_str(), static_cast<int>(caption.size()),
                                    glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR &&
                   std::ranges::find(glyphs, 0xFFFF) == glyphs.end();
    }
    if (previous) {
        SelectObject(screen.Get(), previous);
    }
    return drawsAll;
}

// The message font of dialogs, no larger than the captions were laid out for: bigger text, a
// larger text size and high-contrast themes enlarge it, and the check boxes would cut their
// captions. Where its face has no Chinese glyphs (a Western Windows links them in, Wine shows
// boxes), `chineseFace` at the same size.
UniqueFont DialogFont(LOGFONTW font, UINT dpi, const std::wstring& chineseFace,
                      const Desktop& desktop) {
    const LONG largest = PixelHeight(kLargestDefaultFontPoints, dpi);
    if (std::abs(font.lfHeight) > largest) {
        font.lfHeight = -largest;
    }
    UniqueFont dialog = desktop.Font(font);
    if (!dialog || !DrawsCaptions(dialog.get(), kDialogRoles)) {
        font.lfCharSet = GB2312_CHARSET;
        std::fill(std::begin(font.lfFaceName), std::end(font.lfFaceName), L'\0');
        chineseFace.copy(font.lfFaceName, LF_FACESIZE - 1);
        dialog = desktop.Font(font);
    }
    return dialog;
}

}  // namespace

UniqueFont LayoutFont(const FontSpec& spec, const std::wstring& face, UINT dpi,
                      const Desktop& desktop) {
    LOGFONTW font{};
    font.lfHeight = -PixelHeight(spec.points, dpi);
    font.lfWeight = spec.weight;
    font.lfCharSet = static_cast<BYTE>(spec.charset);
    font.lfQuality = CLEARTYPE_QUALITY;
    face.copy(font.lfFaceName, LF_FACESIZE - 1);
    return desktop.Font(font);
}

std::wstring ChineseFace(const FontSpec& spec, const Desktop& desktop) {
    // GDI gives an East Asian face its English name where the system's language is another.
    const std::vector<std::wstring> faces = desktop.ChineseFaces();
    for (const std::u16string_view name : {spec.face, spec.englishFace}) {
        if (std::ranges::find(faces, ToWide(name)) != faces.end()) {
            return ToWide(name);
        }
    }
    // Faces named with a leading @ are the vertical-writing variants; a face such as an -ExtB
    // one has none of the common ideographs. The face found stands in for the dialog font too.
    const auto fallback = std::ranges::find_if(faces, [&](const std::wstring& face) {
        return !face.starts_with(L'@') &&
               DrawsCaptions(LayoutFont(spec, face, 96, desktop).get(), kAllRoles);
    });
    return fallback != faces.end() ? *fallback : ToWide(spec.face);
}

FormFonts::FormFonts(UINT dpi, const DpiFunctions& functions, const Desktop& desktop) {
    const FontSpec& font1 = FontOf(FontRole::Font1);
    const FontSpec& font2 = FontOf(FontRole::Font2);
    // Each face looked up costs a font enumeration at start-up.
    const std::wstring face1 = ChineseFace(font1, desktop);
    const std::wstring face2 = font2.face == font1.face ? face1 : ChineseFace(font2, desktop);
    m_dialog = DialogFont(functions.MessageFont(dpi), dpi, face1, desktop);
    m_font1 = LayoutFont(font1, face1, dpi, desktop);
    m_font2 = LayoutFont(font2, face2, dpi, desktop);
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

#pragma once

#include "compose/option_fragments.h"
#include "window/win32/control_annotations.h"
#include "window/win32/desktop.h"
#include "window/win32/drop_target.h"
#include "window/win32/fonts.h"
#include "window/win32/ole_session.h"
#include "window/win32/unique_handles.h"

#include <windows.h>
#include <wrl/client.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The one window: drop a model, set the options, copy the viewer's command line. Closing it
// ends the message loop. Once shown, it keeps OLE on the calling thread, for drops and pictures.
// It asks `desktop`, which outlives it, what the Windows it runs on offers.
class Form1 final {
public:
    Form1(HINSTANCE instance, const Desktop& desktop);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Null when the window could not be created.
    HWND Handle() const { return m_form; }

    // Shows the window; its frame takes drops once the first paint is done.
    void Show(int showCommand);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK Text1Proc(HWND text1, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR form);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int notification);
    void OnActivate(bool active);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnPaste();
    void TakeFile(const std::wstring& path);
    void TakeDrops();
    void OnDestroy();
    LRESULT FocusedPushButton() const;

    void Form_Load();
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Check4_Click();
    void Check5_Click();
    void Check6_Click();
    void Text2_Change();
    void Text3_Change();
    void Command1_Click();
    void Frame1_OLEDragDrop(const std::wstring& path);
    void Timer1_Timer();
    void Text1_GotFocus();
    void Text1_KeyPress(WPARAM code);
    void Image1_DblClick();

    std::int16_t CheckValue(int box) const;
    void RefreshBox(int box);
    void SetPreview(UniqueBitmap bitmap);
    void ShowWarning(std::u16string_view text) const;
    HWND Control(std::u16string_view name) const;
    SIZE WindowSize(UINT dpi) const;

    const Desktop& m_desktop;
    const DpiFunctions m_dpi{m_desktop};
    HWND m_form = nullptr;
    compose::OptionFragments m_fragments;
    std::unique_ptr<FormFonts> m_fonts;
    std::optional<OleSession> m_ole;  // outlives what it serves
    Microsoft::WRL::ComPtr<DropTarget> m_dropTarget;
    std::optional<ControlAnnotations> m_annotations;
    UniqueBitmap m_preview;
    std::optional<std::wstring> m_takenFile;  // dropped or pasted, not yet loaded
    HWND m_focus = nullptr;
};

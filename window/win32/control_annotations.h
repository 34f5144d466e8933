#pragma once

#include <windows.h>

#include <oleacc.h>
#include <wrl/client.h>

// Gives the controls whose caption does not name them, or does not say how to use them, the
// names and descriptions that screen readers read through MSAA and UI Automation, until it ends.
class ControlAnnotations final {
public:
    explicit ControlAnnotations(HWND form);
    ~ControlAnnotations();
    ControlAnnotations(const ControlAnnotations&) = delete;
    ControlAnnotations& operator=(const ControlAnnotations&) = delete;

private:
    HWND m_form = nullptr;
    Microsoft::WRL::ComPtr<IAccPropServices> m_services;
};

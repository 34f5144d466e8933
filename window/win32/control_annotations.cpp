#include "window/win32/control_annotations.h"

#include "window/accessible_texts.h"
#include "window/win32/controls.h"
#include "window/win32/text.h"

#include <tuple>

ControlAnnotations::ControlAnnotations(HWND form) : m_form(form) {
    // mingw-w64 declares no __uuidof for this interface, so its id is named.
    if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IAccPropServices,
                                reinterpret_cast<void**>(m_services.GetAddressOf())))) {
        return;
    }
    for (const AccessibleText& text : kAccessibleTexts) {
        const HWND control = FindControl(form, text.control);
        // Told as a change: a screen reader may have read the control as the form was shown.
        for (const auto& [property, value, change] :
             {std::tuple(PROPID_ACC_NAME, text.name, EVENT_OBJECT_NAMECHANGE),
              std::tuple(PROPID_ACC_DESCRIPTION, text.description,
                         EVENT_OBJECT_DESCRIPTIONCHANGE)}) {
            // A store that takes none (Wine's) takes no more either.
            if (value.empty()) {
                continue;
            }
            if (FAILED(m_services->SetHwndPropStr(control, OBJID_CLIENT, CHILDID_SELF, property,
                                                  ToWide(value).c_str()))) {
                return;
            }
            NotifyWinEvent(change, control, OBJID_CLIENT, CHILDID_SELF);
        }
    }
}

// The store outlives the controls: what it holds for them is withdrawn while they exist.
ControlAnnotations::~ControlAnnotations() {
    if (!m_services) {
        return;
    }
    const MSAAPROPID properties[] = {PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
    for (const AccessibleText& text : kAccessibleTexts) {
        m_services->ClearHwndProps(FindControl(m_form, text.control), OBJID_CLIENT, CHILDID_SELF,
                                   properties, static_cast<int>(std::size(properties)));
    }
}

#include "window/win32/form1.h"
#include "window/win32/message_loop.h"

#include <commctrl.h>
#include <ole2.h>

namespace {

// Drops need OLE, which also brings COM for the picture decoders.
class OleSession final {
public:
    OleSession() : m_result(OleInitialize(nullptr)) {}
    ~OleSession() {
        if (SUCCEEDED(m_result)) {
            OleUninitialize();
        }
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

    bool Ok() const { return SUCCEEDED(m_result); }

private:
    HRESULT m_result = E_FAIL;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const OleSession ole;
    const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    if (!ole.Ok() || !InitCommonControlsEx(&controls)) {
        return 1;
    }
    Form1 form(instance);
    if (!form.Handle()) {
        return 1;
    }
    form.Show(showCommand);
    return RunMessageLoop(form.Handle());
}

#pragma once

#include <ole2.h>

// OLE on the calling thread while it lives: drops, the clipboard's data objects and COM.
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

private:
    HRESULT m_result = E_FAIL;
};

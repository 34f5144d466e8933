#include "window/win32/drop_target.h"

#include "window/win32/file_path.h"

#include <shellapi.h>

namespace {

// The medium of a format asked for, released at the end of its scope.
class Medium final {
public:
    Medium() = default;
    ~Medium() { ReleaseStgMedium(&m_medium); }
    Medium(const Medium&) = delete;
    Medium& operator=(const Medium&) = delete;

    STGMEDIUM* Receive() { return &m_medium; }
    HGLOBAL Global() const { return m_medium.hGlobal; }

private:
    STGMEDIUM m_medium{};
};

}  // namespace

std::optional<std::wstring> FirstDroppedFile(IDataObject& data) {
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    Medium medium;
    if (FAILED(data.GetData(&format, medium.Receive())) || !medium.Global()) {
        return std::nullopt;
    }
    const auto files = static_cast<HDROP>(medium.Global());
    if (DragQueryFileW(files, 0xFFFFFFFF, nullptr, 0) == 0) {
        return std::nullopt;
    }
    std::wstring path(DragQueryFileW(files, 0, nullptr, 0), L'\0');
    path.resize(DragQueryFileW(files, 0, path.data(), static_cast<UINT>(path.size() + 1)));
    // A dragged web link reaches Wine's drop as a list of made-up names.
    const std::wstring unlimited = WithoutLengthLimit(path);
    if (!NamesAFile(unlimited) ||
        GetFileAttributesW(unlimited.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    return path;
}

namespace {

// The file a drag offering `allowed` effects would drop: none unless a copy is among them.
std::optional<std::wstring> CopiedFile(IDataObject* data, DWORD allowed) {
    if (!data || !(allowed & DROPEFFECT_COPY)) {
        return std::nullopt;
    }
    return FirstDroppedFile(*data);
}

}  // namespace

DropTarget::DropTarget(std::function<void(const std::wstring&)> onDrop)
    : m_onDrop(std::move(onDrop)) {}

HRESULT DropTarget::QueryInterface(REFIID id, void** object) {
    if (id == IID_IUnknown || id == IID_IDropTarget) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG DropTarget::AddRef() { return ++m_references; }

ULONG DropTarget::Release() {
    const ULONG left = --m_references;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    m_effect = CopiedFile(data, *effect) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    *effect = m_effect;
    return S_OK;
}

HRESULT DropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
    *effect = *effect & DROPEFFECT_COPY ? m_effect : DROPEFFECT_NONE;
    return S_OK;
}

HRESULT DropTarget::DragLeave() {
    m_effect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    const std::optional<std::wstring> file = CopiedFile(data, *effect);
    *effect = file ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    m_effect = DROPEFFECT_NONE;
    if (file) {
        m_onDrop(*file);
    }
    return S_OK;
}

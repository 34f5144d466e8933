#include "tests/window/win32/drag_source.h"

#include <shlobj.h>

#include <cstring>

namespace {

template <class Interface>
class Unknown : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == __uuidof(Interface)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    virtual ~Unknown() = default;

private:
    ULONG m_references = 1;
};

HGLOBAL GlobalCopy(const void* data, std::size_t size) {
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(memory), data, size);
    GlobalUnlock(memory);
    return memory;
}

class FileListData final : public Unknown<IDataObject> {
public:
    explicit FileListData(const std::vector<std::wstring>& files) {
        if (files.empty()) {
            return;
        }
        std::wstring names;
        for (const std::wstring& file : files) {
            names += file;
            names += L'\0';
        }
        names += L'\0';
        const DROPFILES header{sizeof(DROPFILES), {0, 0}, FALSE, TRUE};
        m_fileList.resize(sizeof header + names.size() * sizeof(wchar_t));
        std::memcpy(m_fileList.data(), &header, sizeof header);
        std::memcpy(m_fileList.data() + sizeof header, names.data(),
                    names.size() * sizeof(wchar_t));
    }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        const HRESULT offered = QueryGetData(format);
        if (FAILED(offered)) {
            return offered;
        }
        medium->tymed = TYMED_HGLOBAL;
        medium->pUnkForRelease = nullptr;
        medium->hGlobal = format->cfFormat == CF_HDROP
                              ? GlobalCopy(m_fileList.data(), m_fileList.size())
                              : GlobalCopy(kText, sizeof kText);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        const bool offered = (format->cfFormat == CF_HDROP && !m_fileList.empty()) ||
                             format->cfFormat == CF_UNICODETEXT;
        if (!offered) {
            return DV_E_FORMATETC;
        }
        return format->tymed & TYMED_HGLOBAL ? S_OK : DV_E_TYMED;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
        if (direction != DATADIR_GET) {
            return E_NOTIMPL;
        }
        FORMATETC offered[2] = {{CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL},
                                {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}};
        return SHCreateStdEnumFmtEtc(m_fileList.empty() ? 1 : 2, offered, formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

private:
    static constexpr wchar_t kText[] = LR"(D:\m\robot.model)";
    std::vector<unsigned char> m_fileList;
};

class ImmediateDrop final : public Unknown<IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
        return escape ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace

Microsoft::WRL::ComPtr<IDataObject> DraggedData(const std::vector<std::wstring>& files) {
    Microsoft::WRL::ComPtr<IDataObject> data;
    data.Attach(new FileListData(files));
    return data;
}

Microsoft::WRL::ComPtr<IDropSource> DropAtCursor() {
    Microsoft::WRL::ComPtr<IDropSource> source;
    source.Attach(new ImmediateDrop);
    return source;
}

#pragma once

#include <ole2.h>

#include <functional>
#include <optional>
#include <string>

// The first file of the list that `data` holds, when it holds a list of files (CF_HDROP) whose
// first name is not empty and names something that exists.
std::optional<std::wstring> FirstDroppedFile(IDataObject& data);

// Takes drops of file lists and hands each dropped data object on. The effect it reports is a
// copy, never a move: a source told that its files moved may delete them.
class DropTarget final : public IDropTarget {
public:
    explicit DropTarget(std::function<void(IDataObject&)> onDrop);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point,
                                   DWORD* effect) override;

private:
    ~DropTarget() = default;

    ULONG m_references = 1;
    DWORD m_effect = DROPEFFECT_NONE;
    std::function<void(IDataObject&)> m_onDrop;
};

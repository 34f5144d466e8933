#pragma once

#include <ole2.h>

#include <functional>
#include <optional>
#include <string>

// The first file of the file list (CF_HDROP) that dragged or copied `data` carries, when its
// name leads to a file, not to a device or a pipe, and something of that name exists.
std::optional<std::wstring> FirstDroppedFile(IDataObject& data);

// Takes drops of file lists and hands on the first file of each, as FirstDroppedFile finds it.
// The effect it reports is a copy, never a move: a source told that its files moved may delete
// them.
class DropTarget final : public IDropTarget {
public:
    explicit DropTarget(std::function<void(const std::wstring&)> onDrop);

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
    std::function<void(const std::wstring&)> m_onDrop;
};

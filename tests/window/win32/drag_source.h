#pragma once

#include <ole2.h>
#include <wrl/client.h>

#include <string>
#include <vector>

// What another program offers when a person drags from it: a list of files (CF_HDROP) when
// `files` is not empty, and always a text.
Microsoft::WRL::ComPtr<IDataObject> DraggedData(const std::vector<std::wstring>& files);

// A drag source whose button is let go at once, over wherever the cursor is.
Microsoft::WRL::ComPtr<IDropSource> DropAtCursor();

#include "platform/folderchooser.h"

#include <shlobj.h>
#include <windows.h>

#include "platform/pathtext.h"

namespace bw {

std::string BrowseForFolder(const std::string& text) {
  // The newer style needs COM in a single-threaded apartment. Where the thread has one
  // already (Qt's), this only counts it up.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const std::wstring title = Wide(text);
  BROWSEINFOW browse{};
  browse.hwndOwner = GetActiveWindow();
  browse.lpszTitle = title.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON;
  std::string chosen;
  if (PIDLIST_ABSOLUTE folder = SHBrowseForFolderW(&browse)) {
    std::wstring path(32768, L'\0');
    if (SHGetPathFromIDListEx(folder, path.data(), DWORD(path.size()), GPFIDL_DEFAULT)) {
      path.resize(path.find(L'\0'));
      if (path.size() > 3 && path.back() == L'\\') path.pop_back();
      chosen = Utf8(path);
    }
    CoTaskMemFree(folder);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return chosen;
}

}  // namespace bw

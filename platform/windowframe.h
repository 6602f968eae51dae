#pragma once

namespace bw {

// How much taller than its client area the native window `window` (a Windows HWND) is, as
// Windows counts its outer size: title bar and borders, including those that Windows 10 draws
// invisible and Qt leaves out of a window's frame.
int FrameHeight(void* window);

}  // namespace bw

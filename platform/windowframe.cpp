#include "platform/windowframe.h"

#include <windows.h>

namespace bw {

int FrameHeight(void* window) {
  RECT outer{};
  RECT client{};
  GetWindowRect(static_cast<HWND>(window), &outer);
  GetClientRect(static_cast<HWND>(window), &client);
  return int((outer.bottom - outer.top) - (client.bottom - client.top));
}

}  // namespace bw

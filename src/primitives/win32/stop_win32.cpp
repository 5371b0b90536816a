#include <windows.h>

#include "primitives/text.h"
#include "primitives/win32/wide.h"

void StopProgram(const Text& message) {
  const std::wstring text = GbkToWideForDisplay(message);
  MessageBoxW(nullptr, text.c_str(), L"Varnel", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  ExitProcess(static_cast<UINT>(-1));
}

#include "editor/editor_state.h"

#include <memory>

namespace {
std::unique_ptr<EditorState>& Instance() {
  static std::unique_ptr<EditorState> state;
  return state;
}
}  // namespace

void CreateEditorState() { Instance() = std::make_unique<EditorState>(); }
void ReleaseEditorState() { Instance().reset(); }

EditorState& Editor() {
  if (!Instance()) StopProgram("编辑状态尚未建立");
  return *Instance();
}

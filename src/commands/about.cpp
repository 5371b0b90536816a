// The about window's text.
#include "commands/commands.h"
#include "editor/window_ids.h"

void InitAboutWindow() {
  AboutWindow::标签1.SetCaption(
      Spaces(16) + "Varnel" + "\r\n\r\n" + Spaces(4) +
      "Varnel是一个用于编辑ini格式的文件编辑器，它能够分析ini格式文件的内部结构，将文件里的各种信息归类、分组，"
      "显示出它的目录结构，从而可以方便的定位、查找您想要的信息。此外，它不仅可用于ini文件，而且支持任何结构与ini"
      "文件类似的文本文件。");
}

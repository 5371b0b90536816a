// The directory tree: a tree view whose items ask for their text, with the
// bytes and the pre-order index of every item kept in a forest, so that
// index lookups never walk the tree.
#include "primitives/win32/body.h"
#include "primitives/win32/shown_text.h"

namespace win32_body {

namespace {

// Puts an item with this image into the platform tree as the last child of
// its parent's platform item (which is there already); its record, or
// nullptr when the platform refused it.
TreeItemData* InsertShown(ControlRecord& c, int parent, int image) {
  TreeItemData* parentData = parent >= 0 ? c.tree[parent].shown : nullptr;
  TreeItemData& data = c.treeItems.emplace_back();
  TVINSERTSTRUCTW insert{};
  insert.hParent = parentData ? parentData->handle : TVI_ROOT;
  // The previous last child itself, not TVI_LAST: no walk over the siblings.
  HTREEITEM after = parentData ? parentData->lastChild : c.lastTopItem;
  insert.hInsertAfter = after ? after : TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
  insert.item.pszText = LPSTR_TEXTCALLBACKW;
  insert.item.iImage = image;
  insert.item.iSelectedImage = image;
  // Whether it has a button to expand it is asked for as it is drawn.
  insert.item.cChildren = I_CHILDRENCALLBACK;
  insert.item.lParam = reinterpret_cast<LPARAM>(&data);
  const auto handle = reinterpret_cast<HTREEITEM>(
      SendMessageW(c.hwnd, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  if (!handle) {
    c.treeItems.pop_back();
    return nullptr;
  }
  data.handle = handle;
  if (parentData) {
    parentData->lastChild = handle;
  } else {
    c.lastTopItem = handle;
  }
  return &data;
}

}  // namespace

// The first time a shown item is expanded.
void ShowChildren(ControlRecord& c, int item) {
  TreeItemData* data = c.tree[item].shown;
  if (!data || data->childrenShown) return;
  data->childrenShown = true;
  HoldRedraw(c);
  const int end = item + c.tree.SubtreeSize(item);
  for (int child = item + 1; child < end; child += c.tree.SubtreeSize(child)) {
    TreeNode& node = c.tree[child];
    node.shown = InsertShown(c, item, node.image);
    if (node.shown) node.shown->index = child;
  }
}

HTREEITEM ShownTreeItem(ControlRecord& c, int item) {
  if (!c.tree.Contains(item)) return nullptr;
  if (!c.tree[item].shown) {
    const int parent = c.tree.Parent(item);
    if (parent >= 0 && ShownTreeItem(c, parent)) ShowChildren(c, parent);
  }
  const TreeItemData* data = c.tree[item].shown;
  return data ? data->handle : nullptr;
}

bool TreeNotify(ControlRecord& c, NMHDR* header, LRESULT* result) {
  switch (header->code) {
    case TVN_GETDISPINFOW: {
      auto* info = reinterpret_cast<NMTVDISPINFOW*>(header);
      auto* item = reinterpret_cast<TreeItemData*>(info->item.lParam);
      if ((info->item.mask & TVIF_TEXT) && item) {
        CopyShownText(c.treeTexts.View(item->index), info->item.pszText, info->item.cchTextMax);
      }
      if ((info->item.mask & TVIF_CHILDREN) && item) info->item.cChildren = c.tree.HasChildren(item->index) ? 1 : 0;
      *result = 0;
      return true;
    }
    case TVN_ITEMEXPANDINGW: {
      const auto* change = reinterpret_cast<NMTREEVIEWW*>(header);
      const auto* item = reinterpret_cast<const TreeItemData*>(change->itemNew.lParam);
      if ((change->action & TVE_EXPAND) && item) ShowChildren(c, item->index);
      *result = FALSE;
      return true;
    }
    case TVN_SELCHANGEDW: {
      const auto* change = reinterpret_cast<NMTREEVIEWW*>(header);
      int cause = kTreeCauseOther;
      if (change->action == TVC_BYKEYBOARD) cause = kTreeCauseKeyboard;
      if (change->action == TVC_BYMOUSE) cause = kTreeCauseMouse;
      Raise(c.window, c.id, Event::SelectionChanged, cause);
      *result = 0;
      return true;
    }
    default: return false;
  }
}

}  // namespace win32_body

using namespace win32_body;

namespace {

ControlRecord* Tree(WindowId window, int id) { return ControlOf(window, id, ControlType::TreeBox); }

}  // namespace

int TreeBox::AddTreeItem(int parent, std::string_view text, int image) const {
  ControlRecord* c = Tree(window(), id());
  if (!c) return -1;
  auto& forest = c->tree;
  if (!forest.Contains(parent)) parent = -1;
  // Into the platform tree only where it shows now: at the top level, or
  // below an item whose children are shown. Below a collapsed item it
  // waits until that is expanded.
  TreeItemData* shown = nullptr;
  if (parent < 0 || (forest[parent].shown && forest[parent].shown->childrenShown)) {
    HoldRedraw(*c);
    shown = InsertShown(*c, parent, image);
    if (!shown) return -1;
  }
  const int index = forest.Append(parent, TreeNode{shown, image});
  c->treeTexts.Insert(index, text);
  // An insertion in the middle moves every later item one place on.
  for (int i = index; i < forest.Count(); ++i) {
    if (forest[i].shown) forest[i].shown->index = i;
  }
  return index;
}

int TreeBox::TreeItemCount() const {
  ControlRecord* c = Tree(window(), id());
  return c ? c->tree.Count() : 0;
}

Text TreeBox::GetTreeItemText(int item) const {
  ControlRecord* c = Tree(window(), id());
  return c && c->tree.Contains(item) ? c->treeTexts.Get(item) : Text();
}

Text TreeBox::JoinedItemTexts(const Text& separator) const {
  ControlRecord* c = Tree(window(), id());
  return c ? c->treeTexts.Joined(separator) : Text();
}

void TreeBox::ExpandTreeItem(int item) const {
  ControlRecord* c = Tree(window(), id());
  if (!c) return;
  const HTREEITEM handle = ShownTreeItem(*c, item);
  if (!handle) return;
  // The platform does not report an expansion the program asks for.
  ShowChildren(*c, item);
  SendMessageW(c->hwnd, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(handle));
}

void TreeBox::ClearTree() const {
  ControlRecord* c = Tree(window(), id());
  if (!c) return;
  {
    // Losing the selection with its items is not a selection change of the user's.
    Muted quiet;
    SendMessageW(c->hwnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  }
  c->tree.Clear();
  c->treeTexts.Clear();
  c->treeItems.clear();
  c->lastTopItem = nullptr;
}

int TreeBox::SelectedItem() const {
  ControlRecord* c = Tree(window(), id());
  if (!c) return -1;
  const auto caret = reinterpret_cast<HTREEITEM>(SendMessageW(c->hwnd, TVM_GETNEXTITEM, TVGN_CARET, 0));
  if (!caret) return -1;
  TVITEMW item{};
  item.mask = TVIF_PARAM | TVIF_HANDLE;
  item.hItem = caret;
  if (!SendMessageW(c->hwnd, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  const auto* data = reinterpret_cast<const TreeItemData*>(item.lParam);
  return data ? data->index : -1;
}

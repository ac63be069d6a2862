#include "framework/backends/wx/WxItems.h"

#include <wx/arrstr.h>
#include <wx/ctrlsub.h>

#include <algorithm>

#include "framework/backends/wx/WxText.h"

void PatchItems(wxItemContainer& widget, std::vector<CString>& shown, const std::vector<CWnd::Item>& items) {
  const size_t common = std::min(shown.size(), items.size());
  size_t head = 0;
  while (head < common && shown[head] == items[head].text) ++head;
  size_t tail = 0;
  while (tail < common - head && shown[shown.size() - 1 - tail] == items[items.size() - 1 - tail].text) ++tail;

  // The middle rows differ: [head, head + oldMiddle) of the shown ones, [head, head + newMiddle)
  // of the new ones. Rows present in both are rewritten, the rest removed or inserted.
  const size_t oldMiddle = shown.size() - head - tail;
  const size_t newMiddle = items.size() - head - tail;
  const size_t rewritten = std::min(oldMiddle, newMiddle);
  for (size_t i = head; i < head + rewritten; ++i) {
    widget.SetString(static_cast<unsigned>(i), ToWx(items[i].text));
    shown[i] = items[i].text;
  }
  const size_t after = head + rewritten;
  if (items.empty()) {
    widget.Clear();
  } else if (oldMiddle > newMiddle) {
    for (size_t i = newMiddle; i < oldMiddle; ++i) widget.Delete(static_cast<unsigned>(after));
  } else if (newMiddle > oldMiddle) {
    wxArrayString added;
    for (size_t i = after; i < head + newMiddle; ++i) added.push_back(ToWx(items[i].text));
    widget.Insert(added, static_cast<unsigned>(after));
  }
  shown.erase(shown.begin() + static_cast<std::ptrdiff_t>(after),
              shown.begin() + static_cast<std::ptrdiff_t>(head + oldMiddle));
  shown.insert(shown.begin() + static_cast<std::ptrdiff_t>(after), newMiddle - rewritten, CString());
  for (size_t i = after; i < head + newMiddle; ++i) shown[i] = items[i].text;
}

#include "tests/editor/EditorFixture.h"

int EditorFixture::Edit(std::function<void(CHeadlessUser&)> play) {
  backend.QueuePlay(std::move(play));
  return edit(project->GetController(), motion, text);
}

std::vector<std::string> Rows(const CHeadlessUser& user) {
  std::vector<std::string> rows;
  for (const CString& row : user.Items(IDC_SEGMENT_LIST)) rows.emplace_back(row.GetString());
  return rows;
}

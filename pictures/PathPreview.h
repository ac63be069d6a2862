#pragma once

#include <memory>
#include <string>

#include "framework/dialog/ContentListener.h"
#include "framework/dialog/Picture.h"

class CMC_Motion;
class CMC_Setup;

// Follows the editor while a person edits and shows the path it holds. After every change the
// motion, as the editor's record writes it, is read again as `plot` reads a file; the path's
// segment count, bounds and current segment are kept for a summary, and the picture window, when
// there is one, is drawn anew. A text the record refuses still shows what could be read of it.
//
// The preview listens from its construction to its end, in place of any listener before it.
class PathPreview : public CContentListener {
 public:
  // `window` may be null: then only the summary follows the editor.
  PathPreview(CMC_Setup& setup, CMC_Motion& motion, std::unique_ptr<CPictureWindow> window);
  ~PathPreview() override;
  PathPreview(const PathPreview&) = delete;
  PathPreview& operator=(const PathPreview&) = delete;

  void OnContentChanged(CDialog& dialog, const CString& content, int currentItem) override;

  // "8 segments, segment 3 current; X -10 to 90 mm, Y 0 to 60 mm", or what stands in for it
  // before the editor showed anything.
  const std::string& Summary() const { return m_Summary; }

 private:
  CMC_Setup& m_Setup;
  CMC_Motion& m_Motion;
  std::unique_ptr<CPictureWindow> m_Window;
  CContentListener* m_Previous;
  std::string m_Summary = "no path shown yet";
};

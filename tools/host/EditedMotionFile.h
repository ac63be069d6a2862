#pragma once

#include <optional>
#include <string>

#include "framework/CString.h"

// The motion file of an editing session, kept so that the session loses nothing: it remembers
// what the file held when the editor opened, and writes the edited motion back only over that.
// When the file cannot be written, or someone else changed it meanwhile, the edited motion goes
// to a recovery file instead: the file's name with ".recovered", in the current folder or, when
// that cannot be written, in the temporary folder. A recovery file is never written over: when
// that name is taken, the next free one of ".recovered-2", ".recovered-3", ... is.
//
// A motion file that is a symbolic link stays one: the session reads and writes the file the
// link led to when the session began.
class EditedMotionFile {
 public:
  explicit EditedMotionFile(std::string path);

  // The file's text; a missing file is a new motion and leaves `text` as it is. False after
  // telling the user why the file cannot be read.
  bool Read(CString& text);
  // Whether the file was there when read.
  bool Existed() const { return m_Original.has_value(); }
  const std::string& Path() const { return m_Path; }

  // Writes `text` over the file, unless someone else changed it since it was read and `force`
  // is not given; otherwise writes the recovery file. Says in one line on standard error where
  // the text went and returns the exit status: 0 when it went to the file, 2 otherwise.
  int Save(const CString& text, bool force) const;

 private:
  bool ChangedSinceRead() const;
  int Recover(const std::string& text, const std::string& why) const;
  // The recovery file in `folder`, under the first free name; empty with `error` when none can
  // be written there.
  std::string WriteRecovery(const std::string& folder, const std::string& text, std::string& error) const;

  std::string m_Path;    // as the person named it
  std::string m_Target;  // the file read and written: m_Path, or where the link m_Path led
  std::optional<std::string> m_LinkFault;
  std::optional<std::string> m_Original;
};

// The last line of an editing session on standard error, saying how it ended ("written FILE",
// "not written (Cancel)", ...).
void ReportEditEnding(const std::string& ending);

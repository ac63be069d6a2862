#pragma once

#include <string>
#include <vector>

#include "framework/FrameworkApi.h"

// One line of an editor script: what a person does at the dialog, or what they expect to see.
struct ScriptAction {
  enum class Verb { Focus, Type, Key, Click, Choose, Row, Check, Answer, File, Show, Expect, Preview };
  enum class Key { Enter, Escape, Tab };

  int line = 0;
  Verb verb = Verb::Show;
  int id = 0;
  int index = -1;       // choose, row, and expect on a list row
  Key key = Key::Enter;
  bool flag = false;    // check on, answer ok, file cancel
  std::string text;     // type and file: without its quotes; expect: as written (see below)
  std::string source;   // the line as written, for the transcript
};

// The text an `expect` compares with: the whole of what follows the ID, or for a list the row
// number and then the text. Quotes are taken off. False with the reason for a malformed one.
FRAMEWORK_API bool ExpectedText(const ScriptAction& action, bool onList, int& row, std::string& text, std::string& error);

// Reads a whole script: one action per line, '#' starts a comment, blank lines are skipped.
// False with a message naming the line of the first fault.
FRAMEWORK_API bool ParseEditScript(const std::string& script, std::vector<ScriptAction>& actions, std::string& error);

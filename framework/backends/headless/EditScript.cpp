#include "framework/backends/headless/EditScript.h"

#include <charconv>
#include <sstream>

#include "common/QuotedText.h"

namespace {

using Verb = ScriptAction::Verb;

struct VerbName {
  const char* name;
  Verb verb;
};

constexpr VerbName kVerbs[] = {
    {"focus", Verb::Focus}, {"type", Verb::Type},     {"key", Verb::Key},       {"click", Verb::Click},
    {"choose", Verb::Choose}, {"row", Verb::Row},     {"check", Verb::Check},   {"answer", Verb::Answer},
    {"file", Verb::File},   {"show", Verb::Show},     {"expect", Verb::Expect}, {"preview", Verb::Preview},
};

// Splits off the next word: blanks end it. An empty word means the line is used up.
std::string NextWord(std::string_view& rest) {
  const size_t start = rest.find_first_not_of(" \t");
  if (start == std::string_view::npos) {
    rest = {};
    return {};
  }
  rest.remove_prefix(start);
  const size_t end = rest.find_first_of(" \t");
  std::string word(rest.substr(0, end));
  rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
  return word;
}

bool ParseInt(const std::string& word, int& value) {
  const auto result = std::from_chars(word.data(), word.data() + word.size(), value);
  return !word.empty() && result.ec == std::errc() && result.ptr == word.data() + word.size();
}

// The rest of the line as one text: quoted ("..." with \" and \\ inside) or bare, trimmed.
bool ParseText(std::string_view rest, std::string& text, std::string& error) {
  const size_t start = rest.find_first_not_of(" \t");
  rest.remove_prefix(start == std::string_view::npos ? rest.size() : start);
  while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.remove_suffix(1);
  if (rest.empty() || rest.front() != '"') {
    text = rest;
    return true;
  }
  text.clear();
  for (size_t i = 1; i < rest.size(); ++i) {
    if (rest[i] == '"') {
      if (i + 1 == rest.size()) return true;
      error = "text after the closing quote";
      return false;
    }
    if (rest[i] == '\\' && i + 1 < rest.size()) ++i;
    text += rest[i];
  }
  error = "a quote that is not closed";
  return false;
}

bool NeedId(std::string_view& rest, ScriptAction& action, std::string& error) {
  const std::string word = NextWord(rest);
  if (ParseInt(word, action.id)) return true;
  error = word.empty() ? "a control ID is missing" : QuotedText(word) + " is not a control ID";
  return false;
}

bool NeedIndex(std::string_view& rest, ScriptAction& action, std::string& error) {
  const std::string word = NextWord(rest);
  if (ParseInt(word, action.index) && action.index >= 0) return true;
  error = word.empty() ? "an index is missing" : QuotedText(word) + " is not an index";
  return false;
}

// Exactly one of two words; `flag` tells which.
bool NeedChoice(std::string_view& rest, const char* yes, const char* no, bool& flag, std::string& error) {
  const std::string word = NextWord(rest);
  flag = word == yes;
  if (flag || word == no) return true;
  error = std::string("expected ") + yes + " or " + no + (word.empty() ? "" : ", not " + QuotedText(word));
  return false;
}

bool NothingMore(std::string_view rest, std::string& error) {
  const std::string word = NextWord(rest);
  if (word.empty()) return true;
  error = "unexpected " + QuotedText(word);
  return false;
}

bool ParseArguments(std::string_view rest, ScriptAction& action, std::string& error) {
  switch (action.verb) {
    case Verb::Focus:
    case Verb::Click:
      return NeedId(rest, action, error) && NothingMore(rest, error);
    case Verb::Type:
      return NeedId(rest, action, error) && ParseText(rest, action.text, error);
    case Verb::Key: {
      const std::string key = NextWord(rest);
      if (key == "enter") action.key = ScriptAction::Key::Enter;
      else if (key == "escape") action.key = ScriptAction::Key::Escape;
      else if (key == "tab") action.key = ScriptAction::Key::Tab;
      else {
        error = "expected enter, escape or tab" + (key.empty() ? std::string() : ", not " + QuotedText(key));
        return false;
      }
      return NothingMore(rest, error);
    }
    case Verb::Choose:
    case Verb::Row:
      return NeedId(rest, action, error) && NeedIndex(rest, action, error) && NothingMore(rest, error);
    case Verb::Check:
      return NeedId(rest, action, error) && NeedChoice(rest, "on", "off", action.flag, error) && NothingMore(rest, error);
    case Verb::Answer:
      return NeedChoice(rest, "ok", "cancel", action.flag, error) && NothingMore(rest, error);
    case Verb::File:
      if (!ParseText(rest, action.text, error)) return false;
      action.flag = action.text == "cancel";
      if (!action.text.empty()) return true;
      error = "a path or cancel is missing";
      return false;
    case Verb::Show:
    case Verb::Preview:
      return NothingMore(rest, error);
    case Verb::Expect: {
      if (!NeedId(rest, action, error)) return false;
      action.text = rest;
      int row = 0;
      std::string text;
      return ExpectedText(action, false, row, text, error) || ExpectedText(action, true, row, text, error);
    }
  }
  return false;
}

bool ParseLine(const std::string& line, int number, std::vector<ScriptAction>& actions, std::string& error) {
  std::string_view rest(line);
  if (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
  const std::string_view source = rest;
  const std::string name = NextWord(rest);
  if (name.empty() || name[0] == '#') return true;
  ScriptAction action;
  action.line = number;
  action.source = source.substr(source.find_first_not_of(" \t"));
  bool known = false;
  for (const VerbName& verb : kVerbs)
    if (name == verb.name) action.verb = verb.verb, known = true;
  if (!known) {
    error = "unknown action " + QuotedText(name);
    return false;
  }
  if (!ParseArguments(rest, action, error)) return false;
  actions.push_back(std::move(action));
  return true;
}

}  // namespace

bool ExpectedText(const ScriptAction& action, bool onList, int& row, std::string& text, std::string& error) {
  std::string_view rest(action.text);
  row = -1;
  if (onList) {
    const std::string word = NextWord(rest);
    if (!ParseInt(word, row) || row < 0) {
      error = "expect on a list needs a row number before the text";
      return false;
    }
  }
  return ParseText(rest, text, error);
}

bool ParseEditScript(const std::string& script, std::vector<ScriptAction>& actions, std::string& error) {
  std::istringstream lines(script);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (line.find('\0') != std::string::npos) {
      error = "line " + std::to_string(number) + ": a NUL byte";
      return false;
    }
    if (!ParseLine(line, number, actions, error)) {
      error = "line " + std::to_string(number) + ": " + error;
      return false;
    }
  }
  return true;
}

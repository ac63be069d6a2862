#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// Notes about what a reader skipped, each kind told once: where it first happened, and how often
// in all. A file with a spindle word on each of its 400,000 lines gets one note, not 400,000.
namespace geometry {

class NoteTally {
 public:
  // One more note of the kind `key`. The first one's line and text are kept; `makeText` is
  // called only then, so counting the others costs no text. `plural` names them for the count.
  template <typename MakeText>
  void Add(std::string_view key, int line, std::string_view plural, MakeText makeText) {
    if (!CountedAgain(key)) Record(key, line, makeText(), plural);
  }

  // How a note names its line: "line N" unless told otherwise.
  using PlaceOf = std::function<std::string(int line)>;

  // "line N: text", and "(K plural in all)" where there were several, in the order of their first lines.
  std::vector<std::string> Lines(const PlaceOf& placeOf = nullptr) const;

 private:
  struct Note {
    int line;
    std::string text;
    std::string plural;
    long count;
  };

  bool CountedAgain(std::string_view key);
  void Record(std::string_view key, int line, std::string text, std::string_view plural);

  std::map<std::string, size_t, std::less<>> m_Index;
  std::vector<Note> m_Notes;
};

}  // namespace geometry

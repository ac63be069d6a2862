#include "geometry/core/NoteTally.h"

namespace geometry {

bool NoteTally::CountedAgain(std::string_view key) {
  const auto found = m_Index.find(key);
  if (found == m_Index.end()) return false;
  ++m_Notes[found->second].count;
  return true;
}

void NoteTally::Record(std::string_view key, int line, std::string text, std::string_view plural) {
  m_Index.emplace(std::string(key), m_Notes.size());
  m_Notes.push_back({line, std::move(text), std::string(plural), 1});
}

std::vector<std::string> NoteTally::Lines(const PlaceOf& placeOf) const {
  std::vector<std::string> lines;
  for (const Note& note : m_Notes) {
    std::string line = (placeOf ? placeOf(note.line) : "line " + std::to_string(note.line)) + ": " + note.text;
    if (note.count > 1) line += " (" + std::to_string(note.count) + " " + note.plural + " in all)";
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace geometry

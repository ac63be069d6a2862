#pragma once

#include <string>
#include <utility>
#include <variant>
#include <vector>

// Why a reader or a builder gave no value: what is wrong, and where. A fault of one line of a
// file names that line; a fault of an entity, a segment or a setup's key names it in the message.
// A message of several lines (several branchings of a drawing, say) is told line by line.
struct Fault {
  int line = 0;  // 1 for a file's first line; 0: of no one line
  std::string message;
};

// What a reader, a builder or a command that can fail gives: its value, or what stopped it; and,
// either way, its notes of what it skipped, assumed or left out on its way (a reader that stops at
// a fault keeps what it noted before). What stops readers and builders is a Fault; a command,
// which tells the user as it goes, stops with its exit status. Result<void> has no value.
template <typename T, typename Failed = Fault>
class [[nodiscard]] Result {
 public:
  Result(T value, std::vector<std::string> notes = {})
      : m_Outcome(std::in_place_index<0>, std::move(value)), m_Notes(std::move(notes)) {}
  Result(Failed failure, std::vector<std::string> notes = {})
      : m_Outcome(std::in_place_index<1>, std::move(failure)), m_Notes(std::move(notes)) {}

  bool Ok() const { return m_Outcome.index() == 0; }
  explicit operator bool() const { return Ok(); }

  const T& Value() const& { return std::get<0>(m_Outcome); }
  T& Value() & { return std::get<0>(m_Outcome); }
  T&& Value() && { return std::get<0>(std::move(m_Outcome)); }
  const T* operator->() const { return &Value(); }
  T* operator->() { return &Value(); }

  const Failed& Failure() const { return std::get<1>(m_Outcome); }
  const std::vector<std::string>& Notes() const { return m_Notes; }

 private:
  std::variant<T, Failed> m_Outcome;
  std::vector<std::string> m_Notes;
};

template <typename Failed>
class [[nodiscard]] Result<void, Failed> {
 public:
  Result() = default;
  Result(Failed failure) : m_Failure(std::move(failure)), m_Failed(true) {}

  bool Ok() const { return !m_Failed; }
  explicit operator bool() const { return Ok(); }
  const Failed& Failure() const { return m_Failure; }

 private:
  Failed m_Failure{};
  bool m_Failed = false;
};

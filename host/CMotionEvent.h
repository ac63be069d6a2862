#pragma once

#include "framework/CString.h"
#include "framework/Types.h"
#include "host/TarnocApi.h"

class CMC_Setup;
class CMC_Motion;

// The event a motion can wait for before it starts: a digital input reaching a level, or a
// delay. It reads and writes its own entries of the parameter text.
class TARNOC_API CMotionEvent {
 public:
  enum Kind { EK_INPUT = 0, EK_DELAY = 1 };
  // Flag bit 0: the event keeps the "Execute" entry itself. Motions that keep their own
  // execution mode clear it, so the text never holds that key twice.
  enum Flags : WORD { MEF_OWNS_EXECUTE_KEY = 0x0001 };

  static constexpr int kMaxInput = 32;
  static constexpr int kMaxDelayMs = 3600000;
  static constexpr int kDefaultInput = 1;
  static constexpr int kDefaultLevel = 1;
  static constexpr int kDefaultDelayMs = 100;

  CMotionEvent(CMC_Setup& setup, CMC_Motion& motion);
  virtual ~CMotionEvent();

  WORD m_wFlags = MEF_OWNS_EXECUTE_KEY;

  Kind GetKind() const { return m_Kind; }
  int GetInput() const { return m_Input; }
  int GetLevel() const { return m_Level; }
  int GetDelayMs() const { return m_DelayMs; }
  // False, with nothing changed, for values outside their ranges.
  BOOL SetInput(int input, int level);
  BOOL SetDelay(int delayMs);

  // verbose 0: a short phrase for a comment or a field; otherwise a sentence.
  CString GetDescription(int verbose) const;
  // The motion-language lines that wait for the event, each starting with two blanks.
  CString GenerateMLCode() const;
  BOOL IsEditable() const { return TRUE; }
  // Let the user choose the kind of event, or change the settings of this one, in a dialog of
  // the host's. Non-zero when the event changed. A new kind starts from its default settings;
  // ChangeType's argument is reserved and passed as 0.
  BOOL ChangeType(int reserved);
  BOOL Edit();

  // Reads the event's entries; false with one message per faulty entry appended to `message`.
  virtual BOOL ReadData(const CString& text, CString& message);
  virtual void WriteData(CString& text) const;

 private:
  Kind m_Kind = EK_INPUT;
  int m_Input = kDefaultInput;
  int m_Level = kDefaultLevel;
  int m_DelayMs = kDefaultDelayMs;
};

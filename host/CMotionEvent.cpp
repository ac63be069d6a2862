#include "host/CMotionEvent.h"

#include "host/ParameterText.h"
#include "host/RadioReader.h"

namespace {

const char* LevelName(int level) { return level != 0 ? "high" : "low"; }

}  // namespace

CMotionEvent::CMotionEvent(CMC_Setup&, CMC_Motion&) {}

CMotionEvent::~CMotionEvent() = default;

BOOL CMotionEvent::SetInput(int input, int level) {
  if (input < 1 || input > kMaxInput || level < 0 || level > 1) return FALSE;
  m_Kind = EK_INPUT;
  m_Input = input;
  m_Level = level;
  return TRUE;
}

BOOL CMotionEvent::SetDelay(int delayMs) {
  if (delayMs < 1 || delayMs > kMaxDelayMs) return FALSE;
  m_Kind = EK_DELAY;
  m_DelayMs = delayMs;
  return TRUE;
}

CString CMotionEvent::GetDescription(int verbose) const {
  CString text;
  if (m_Kind == EK_INPUT)
    text.Format(verbose ? "Start when digital input %d is %s." : "input %d %s", m_Input, LevelName(m_Level));
  else
    text.Format(verbose ? "Start after a delay of %d ms." : "delay %d ms", m_DelayMs);
  return text;
}

CString CMotionEvent::GenerateMLCode() const {
  CString code;
  if (m_Kind == EK_INPUT)
    code.Format("  WAITINPUT %d, %d;\r\n", m_Input, m_Level);
  else
    code.Format("  WAITTIME %d;\r\n", m_DelayMs);
  return code;
}

BOOL CMotionEvent::ReadData(const CString& text, CString& message) {
  const CString before = message;
  int kind = m_Kind;
  message += RadioReader::Read(text, "EventType", EK_INPUT, EK_DELAY, kind);
  m_Kind = static_cast<Kind>(kind);
  if (m_Kind == EK_INPUT) {
    message += RadioReader::Read(text, "EventInput", 1, kMaxInput, m_Input);
    message += RadioReader::Read(text, "EventLevel", 0, 1, m_Level);
  } else {
    message += RadioReader::Read(text, "EventDelay", 1, kMaxDelayMs, m_DelayMs);
  }
  if (m_wFlags & MEF_OWNS_EXECUTE_KEY) {
    int execute = 1;
    message += RadioReader::Read(text, "Execute", 1, 1, execute);
  }
  return message == before;
}

void CMotionEvent::WriteData(CString& text) const {
  if (m_wFlags & MEF_OWNS_EXECUTE_KEY) ParameterText::AppendRadio(text, "Execute", 1);
  ParameterText::AppendRadio(text, "EventType", m_Kind);
  if (m_Kind == EK_INPUT) {
    ParameterText::AppendRadio(text, "EventInput", m_Input);
    ParameterText::AppendRadio(text, "EventLevel", m_Level);
  } else {
    ParameterText::AppendRadio(text, "EventDelay", m_DelayMs);
  }
}

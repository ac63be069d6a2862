#include "host/CMotionEvent.h"

#include "host/CEventDialog.h"
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

BOOL CMotionEvent::ChangeType(int) {
  CEventTypeDialog dialog(m_Kind);
  if (dialog.DoModal() != IDOK || dialog.m_Kind == m_Kind) return FALSE;
  return dialog.m_Kind == EK_INPUT ? SetInput(kDefaultInput, kDefaultLevel) : SetDelay(kDefaultDelayMs);
}

BOOL CMotionEvent::Edit() {
  CEventSettingsDialog dialog(*this);
  if (dialog.DoModal() != IDOK) return FALSE;
  const int input = m_Input, level = m_Level, delayMs = m_DelayMs;
  if (m_Kind == EK_INPUT)
    SetInput(dialog.m_Input, dialog.m_Level);
  else
    SetDelay(dialog.m_DelayMs);
  return m_Input != input || m_Level != level || m_DelayMs != delayMs;
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

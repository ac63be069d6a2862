#pragma once

#include "framework/dialog/WindowMessages.h"
#include "framework/Types.h"

class CWnd;

// A message map routes WM_COMMAND notifications (a code from a control ID) to member handlers.
// Each class's map names its base class's map, and lookup walks from the most derived map to
// the base, so a derived class's entry wins over its base's for the same code and ID.
using AFX_PMSG = void (CWnd::*)();

struct AFX_MSGMAP_ENTRY {
  UINT nCode;
  UINT nID;
  AFX_PMSG pfn;  // null ends the entries
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                    \
 protected:                                      \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                  \
    using ThisClass = theClass;                                                      \
    using TheBaseClass = baseClass;                                                  \
    static const AFX_MSGMAP_ENTRY entries[] = {
#define END_MESSAGE_MAP()                                                      \
  {0, 0, nullptr}                                                              \
  }                                                                            \
  ;                                                                            \
  static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries}; \
  return &map;                                                                 \
  }

#define ON_CONTROL(code, id, handler) {code, static_cast<UINT>(id), static_cast<AFX_PMSG>(&ThisClass::handler)},
#define ON_COMMAND(id, handler) ON_CONTROL(BN_CLICKED, id, handler)
#define ON_BN_CLICKED(id, handler) ON_CONTROL(BN_CLICKED, id, handler)
#define ON_CBN_SELENDOK(id, handler) ON_CONTROL(CBN_SELENDOK, id, handler)
#define ON_LBN_SELCHANGE(id, handler) ON_CONTROL(LBN_SELCHANGE, id, handler)
#define ON_EN_KILLFOCUS(id, handler) ON_CONTROL(EN_KILLFOCUS, id, handler)

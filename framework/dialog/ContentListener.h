#pragma once

#include "framework/CString.h"
#include "framework/FrameworkApi.h"

class CDialog;

// Whoever follows what a dialog holds while a person edits it: a view beside the dialog, say.
// A dialog that offers its content tells the listener after every change of it or of the
// current item, as a text in a form of the dialog's own (the editor sends the motion's parameter
// text as its record would write it) and the index of the current item, from 0.
//
// Writing the content costs the dialog time, so it asks first whether anyone listens: with no
// listener installed (the default) a dialog does no more than that question.
class FRAMEWORK_API CContentListener {
 public:
  virtual ~CContentListener();

  virtual void OnContentChanged(CDialog& dialog, const CString& content, int currentItem) = 0;
};

// The listener in use, or null.
FRAMEWORK_API CContentListener* AfxGetContentListener();
// Installs a listener (null for none); returns the one it replaces. The listener must outlive
// its use.
FRAMEWORK_API CContentListener* AfxSetContentListener(CContentListener* listener);

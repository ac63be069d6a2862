#pragma once

class CFileDialog;
class wxWindow;

// Shows the toolkit's file chooser for `dialog`, with its filter, and stores the chosen path in
// it. IDOK once a file was chosen, else IDCANCEL.
int RunWxFileDialog(wxWindow* owner, CFileDialog& dialog);

#pragma once

class wxListBox;

// Puts the list's keyboard cursor on `row`. The toolkit moves the cursor only with the person's
// own clicks and keys, so after the dialog made another row current, arrow keys would go on from
// the row clicked last.
void MoveListCursor(wxListBox& list, int row);

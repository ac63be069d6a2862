#pragma once

// The editor's dialog on a one-segment motion of the demo project, played by whatever the
// headless backend has been given. Ending with OK must leave a text that reads back as a valid
// motion; anything else traps.
void RunEditorSession();

#pragma once

struct DialogTemplate;

// The editor dialog's template, which the module registers with its resources.
const DialogTemplate& EditorTemplate();

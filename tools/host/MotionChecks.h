#pragma once

#include <vector>

#include "framework/CString.h"
#include "geometry/core/RelativePath.h"
#include "motionpath/MotionBuilder.h"

class HostSession;
class ImportMessages;

// What became of segments appended to a motion, told at the move each fault comes from, as an
// exit code.
int ExitCodeOf(const BuiltMotion& built, const std::vector<geometry::ImportedSegment>& segments,
               const ImportMessages& messages);

// The module reads the text and translates it on the session's setup, as the host will: what it
// refuses here it would refuse there. Returns an exit code, after printing the module's messages.
int CheckedByModule(HostSession& session, const CString& text);

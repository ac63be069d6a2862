#pragma once

#include <functional>
#include <vector>

#include "framework/CString.h"
#include "geometry/core/RelativePath.h"
#include "motionpath/MotionBuilder.h"
#include "tools/host/Commands.h"

class HostSession;
class ImportMessages;

// The segments, the i-th with dynamics(i), appended to the record, which is then checked as the
// module validates a motion. Returns an exit code, after telling a fault at the move it comes from.
ExitCode BuildMotion(CInternalData& record, const std::vector<geometry::ImportedSegment>& segments,
                     const std::function<Dynamics(size_t)>& dynamics, const ImportMessages& messages);

// The module reads the text and translates it on the session's setup, as the host will: what it
// refuses here it would refuse there. Returns an exit code, after printing the module's messages.
ExitCode CheckedByModule(HostSession& session, const CString& text);

// The text read into `record` (a new motion of the session's setup) and validated as the module
// reads and validates a motion before it translates it, without making the program: what it
// refuses here, translation refuses, with the same messages. Returns an exit code, after printing
// the module's messages.
ExitCode ReadBackAsTheModuleDoes(CInternalData& record, CString& text);

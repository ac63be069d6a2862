#pragma once

#include <string>

// Every line motion-host writes on standard error for the user has one form, made here:
// "motion-host: what", "motion-host COMMAND: what" or "motion-host COMMAND: SOURCE: what", where
// SOURCE is the file the command reads; a place in it goes before what ("line 12: what").
// An empty command or source is left out.
void TellUser(const std::string& command, const std::string& source, const std::string& message);

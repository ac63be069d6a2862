#include "tools/host/ImportMessages.h"

#include <algorithm>

void ImportMessages::TellFault(const Fault& fault) const {
  for (size_t begin = 0; begin <= fault.message.size();) {
    const size_t end = std::min(fault.message.find('\n', begin), fault.message.size());
    const std::string line = fault.message.substr(begin, end - begin);
    if (fault.line > 0)
      TellAtLine(fault.line, line);
    else
      Tell(line);
    begin = end + 1;
  }
}

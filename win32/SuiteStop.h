#pragma once

#include <string>
#include <vector>

namespace tg::win32 {

// How long the suite is given to end before it is made to.
struct StopBounds {
  unsigned answerMs = 5000;  // for each window to answer the end of the log-on
  unsigned exitMs = 15000;   // for the control centre to end once it was told
  unsigned engineMs = 5000;  // for an ended engine to be gone
};

// Ends the running control centre and every engine of the suite, so that an
// installer can replace their files. The control centre is told that the
// log-on ends, as Windows tells it (it then removes its icon, stops its engines
// and ends); only when it does not end within the bound is it ended by force.
// Every process of an engine's name is then ended. True when nothing of the
// suite runs any more.
bool stopSuite(const StopBounds& bounds = {});

// The executable names that stopSuite ends: the control centre first.
std::vector<std::string> suiteProgramNames();

}  // namespace tg::win32

#include "win32/SuiteStop.h"

// Run by the installer before it replaces the program's files and by the
// uninstaller before it removes them: 0 when nothing of the suite runs any more.
int main() { return tg::win32::stopSuite() ? 0 : 1; }

#include "ui/ErrorReport.h"

#include <exception>
#include <new>

namespace tg::ui {

std::string currentErrorText() {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return "Out of memory";  // short enough to need no memory of its own
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Unknown error";
  }
}

}  // namespace tg::ui

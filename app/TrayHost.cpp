#include "app/TrayHost.h"

#include "app/Product.h"

namespace tg {

TrayHost::TrayHost(Platform& platform, std::string exePath, std::function<void()> showMainWindow)
    : platform_(platform), exePath_(std::move(exePath)), showMainWindow_(std::move(showMainWindow)) {}

TrayHost::~TrayHost() {
  if (retry_) platform_.timers.stop(retry_);
}

void TrayHost::create() {
  addIcon();
  const auto stored = platform_.registry.readAutorun(product::kAutorunValue);
  if (stored && *stored != exePath_) platform_.registry.writeAutorun(product::kAutorunValue, exePath_);
}

void TrayHost::addIcon() {
  retry_ = 0;
  if (platform_.tray.addIcon(product::kName, [this](unsigned event) { iconEvent(event); })) return;
  retry_ = platform_.timers.startOnce(kIconRetryMs, [this] { addIcon(); });
}

void TrayHost::removeIcon() {
  if (retry_) platform_.timers.stop(retry_);
  retry_ = 0;
  platform_.tray.removeIcon();
}

void TrayHost::iconEvent(unsigned mouseEvent) {
  if (mouseEvent != kTrayRightButtonDown) return;  // left clicks and double clicks do nothing
  if (platform_.tray.popupMenu({product::kName}) == 0) scannprocess1Click();
}

void TrayHost::scannprocess1Click() {
  if (showMainWindow_) showMainWindow_();
}

}  // namespace tg

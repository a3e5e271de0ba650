#pragma once

namespace tg::ui {

// The keys the main window routes to its default and cancel buttons.
enum class DialogKey { Enter, Escape };

// Characters a key filter sees.
constexpr char kBackspace = '\b';

}  // namespace tg::ui

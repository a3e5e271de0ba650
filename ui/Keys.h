#pragma once

namespace tg::ui {

// The keys the main window routes to its default and cancel buttons.
enum class DialogKey { Enter, Escape };

// The keys that move a list's selection.
enum class ListKey { Up, Down, PageUp, PageDown, Home, End };

// Characters a key filter sees.
constexpr char kBackspace = '\b';
constexpr char kEscape = '\x1B';

}  // namespace tg::ui

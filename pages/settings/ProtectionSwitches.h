#pragma once

#include <cstddef>
#include <string>

#include "pages/PageContext.h"
#include "ui/Toggles.h"

namespace tg {

// The real-time engine reads its twelve options from configuration.xml at its
// start: the writer stops it, rewrites the one record from
// ConfigurationSwitches and starts it again. A record that cannot be written
// is told through the message pop-up; a store that cannot be opened ends the
// writing with an error for the general report. Either way the engine is
// started again: a setting that could not be saved must not leave the
// protection off.
void WriteConfiguration(const PageContext& c);

// A page's check box of configuration field Champ<field> (1 to 12): shown
// with the remembered value, and from then on each click sets the switch and
// writes the configuration. Every page with such a box builds it through this.
ui::CheckBox& addConfigurationBox(const PageContext& c, ui::Container& parent, std::string name, ui::Rect bounds,
                                  int captionEntry, std::size_t field);

// The two surveillance-mode options: mode.txt is written first, and WatchMode
// changes only once it was saved. Throws when the file cannot be written.
void radiobutton3Click(const PageContext& c);  // "0": off
void radiobutton4Click(const PageContext& c);  // "1": on

// The switch kept in ctrlpl.txt: set to the box's state, then saved. Throws
// when the file cannot be written (the switch already holds the new value).
void CheckBox14Click(const PageContext& c, bool on);

}  // namespace tg

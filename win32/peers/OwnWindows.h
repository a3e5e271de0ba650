#pragma once

#include <windows.h>

namespace tg::win32 {

// The project's own window classes. Their procedure hands the notifications of
// child controls on to the children's peers (a plain group box or tab control
// would not) and lets the peer paint and answer messages.
const char* formWindowClass();       // a top-level window of the model
const char* containerWindowClass();  // panels, group boxes, tab sheets
const char* paintedWindowClass();    // shapes, bevels, pictures

// Registers the classes and the common controls once per process.
void registerOwnWindowClasses();

}  // namespace tg::win32

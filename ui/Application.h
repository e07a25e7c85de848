#pragma once
// What the application object carries before the window is made.
#include <string_view>

class QApplication;

namespace ui {

// The application's name towards the window system and the caption of
// every error box.
inline constexpr std::string_view kApplicationTitle = "Tonpara";

// Sets the application's name and title and registers the substitutes for
// the layout's font face. Call once, before the window is created.
void prepareApplication(QApplication& app);

} // namespace ui

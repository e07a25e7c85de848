#pragma once
// Builds the stored window: walks the stored-form table and the drill's
// key-cell table once, creating every control with its stored settings.
#include <QString>
#include <functional>
#include <map>
#include <string>
#include <string_view>

class QWidget;

namespace ui {

// Every named control, by its stored name; "Form1" is the client surface
// that holds the window's own children.
using ControlMap = std::map<std::string, QWidget*, std::less<>>;

// Creates the controls as children of `client`, in creation order, then
// settles the stacking: within each container the surface controls (labels,
// images) lie beneath the windowed ones, each group in creation order.
ControlMap buildStoredForm(QWidget& client);

QString fromUtf8(std::string_view text);

} // namespace ui

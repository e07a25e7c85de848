// The stored form's event bindings: which click runs which handler. Every
// handler runs through the boundary.
#include "ui/RadioGroup.h"
#include "ui/TextControl.h"
#include "ui/Unit1.h"
#include "ui/wordprocessor/WordProcessorPane.h"

#include <QPushButton>
#include <array>
#include <stdexcept>

namespace {

using DrillHandler = void (drill::Drill::*)();
using PaneHandler = void (WordProcessorPane::*)();

struct DrillBinding {
    std::string_view control;
    DrillHandler handler;
};

struct PaneBinding {
    std::string_view control;
    PaneHandler handler;
};

// The click of Label17 runs the handler named Label7Click.
constexpr std::array kDrillBindings{
    DrillBinding{"Button4", &drill::Drill::Button4Click},
    DrillBinding{"Button3", &drill::Drill::Button3Click},
    DrillBinding{"Button2", &drill::Drill::Button2Click},
    DrillBinding{"Button6", &drill::Drill::Button6Click},
    DrillBinding{"Button1", &drill::Drill::Button1Click},
    DrillBinding{"RadioGroup1", &drill::Drill::RadioGroup1Click},
    DrillBinding{"RadioGroup2", &drill::Drill::RadioGroup2Click},
    DrillBinding{"StaticText59", &drill::Drill::StaticText59Click},
    DrillBinding{"Label17", &drill::Drill::Label7Click},
    DrillBinding{"Label15", &drill::Drill::Label15Click},
};

constexpr std::array kPaneBindings{
    PaneBinding{"Button7", &WordProcessorPane::Button7Click},
    PaneBinding{"Button10", &WordProcessorPane::Button10Click},
};

// Connects the control's click (a selector: its change of selection) to
// `run`, whatever kind of control it is.
template <class Run> void onClick(QWidget& widget, QObject* context, Run run) {
    if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
        QObject::connect(button, &QAbstractButton::clicked, context, run);
    } else if (auto* text = qobject_cast<ui::TextControl*>(&widget)) {
        QObject::connect(text, &ui::TextControl::clicked, context, run);
    } else if (auto* group = qobject_cast<ui::RadioGroup*>(&widget)) {
        QObject::connect(group, &ui::RadioGroup::selectionChanged, context, run);
    } else {
        throw std::logic_error("control cannot be clicked");
    }
}

} // namespace

void TForm1::bindEvents() {
    for (const DrillBinding& binding : kDrillBindings) {
        onClick(named(binding.control), this, [this, handler = binding.handler] {
            ensureActivated();
            runHandler([this, handler] { (drill_.*handler)(); });
        });
    }
    for (const PaneBinding& binding : kPaneBindings) {
        onClick(named(binding.control), this, [this, handler = binding.handler] {
            ensureActivated();
            runHandler([this, handler] { ((*pane_).*handler)(); });
        });
    }
    // BitBtn1 has no handler: its kind closes the window, and closing the
    // last window ends the program.
    connect(static_cast<QPushButton*>(&named("BitBtn1")), &QPushButton::clicked, this,
            &QWidget::close);
}

#include "ui/Unit1.h"

#include "ui/Application.h"
#include "ui/Colours.h"
#include "ui/Fonts.h"
#include "ui/KeyPreview.h"
#include "ui/PlatformPorts.h"
#include "ui/StoredForm.h"
#include "ui/TestStateFile.h"
#include "ui/wordprocessor/RichEdit.h"
#include "ui/wordprocessor/WordProcessorPane.h"

#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace {

const QString kIconPath = QStringLiteral(":/artwork/tonpara.svg");

QString number(int value) {
    return QString::number(value);
}

} // namespace

TForm1::TForm1()
    : TForm1(std::make_unique<ui::WavSoundPort>(), std::make_unique<ui::RandomSourcePort>()) {}

TForm1::TForm1(std::unique_ptr<drill::SoundPort> sound, std::unique_ptr<drill::RandomPort> random)
    : TForm1(*sound, *random, platform::systemTimerService()) {
    ownedSound_ = std::move(sound);
    ownedRandom_ = std::move(random);
}

TForm1::TForm1(drill::SoundPort& sound, drill::RandomPort& random, platform::TimerService& timers)
    : QWidget(nullptr), boundary_([this](const QString& text) { showError(text); }),
      drill_(*this, sound, random), stateFile_(ui::TestStateFile::fromEnvironment()) {
    setObjectName(ui::fromUtf8(ui::kFormName));
    setWindowTitle(ui::fromUtf8(ui::kStoredWindow.caption));
    setAccessibleName(windowTitle());
    if (QFile::exists(kIconPath)) {
        setWindowIcon(QIcon(kIconPath));
    }
    setFont(ui::layoutFont(ui::kStoredWindow.fontHeight));
    // The window itself holds the focus at start, so keys reach only the
    // key handlers and arrow keys move no selection until a control is
    // clicked.
    setFocusPolicy(Qt::ClickFocus);

    // The controls keep their stored places whatever the window's size; a
    // client area smaller than their extent scrolls instead.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    scrollArea_ = new QScrollArea(this);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setFocusPolicy(Qt::NoFocus);
    scrollArea_->setWidgetResizable(true);
    layout->addWidget(scrollArea_);
    client_ = new QWidget;
    client_->setMinimumSize(ui::kStoredWindow.extentWidth, ui::kStoredWindow.extentHeight);
    client_->setAutoFillBackground(true);
    QPalette palette = client_->palette();
    palette.setColor(QPalette::Window, ui::toQColor(ui::kStoredWindow.colour));
    client_->setPalette(palette);
    scrollArea_->setWidget(client_);

    controls_ = ui::buildStoredForm(*client_);
    createTimers(timers);
    pane_ = std::make_unique<WordProcessorPane>(static_cast<TRichEdit&>(named("RichEdit1")), *this);
    bindEvents();
    if (stateFile_) {
        boundary_.setAfterHandler([this] { writeStateFile(); });
    }

    placeFrame();
    setFocus();
    installKeyPreview();
}

TForm1::~TForm1() {
    // From here on no tick may reach the drill: stop both clocks first (a
    // stop waits for a callback under way, and callbacks only post), then
    // close the gate for ticks already queued.
    destroying_ = true;
    for (std::size_t i = 0; i < timers_.size(); ++i) {
        if (timers_[i] != nullptr) {
            timers_[i]->SetEnabled(false);
            ++stopEpochs_[i];
        }
    }
    delete keyPreview_;
    keyPreview_ = nullptr;
}

void TForm1::installKeyPreview() {
    // The native window must exist before its QWindow can be watched.
    winId();
    keyPreview_ = new ui::KeyPreview(
        *windowHandle(), {[this](std::uint16_t key) { keyDown(key); }, [this] { keyUp(); }},
        nullptr);
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        ui::enableDetectableAutoRepeat();
    }
}

void TForm1::placeFrame() {
    // The stored size and place are those of the frame. Before the window
    // manager has framed the window its margins read zero; the first
    // activation places it again once they are known.
    const QMargins margins =
        windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    resize(ui::kStoredWindow.width - margins.left() - margins.right(),
           ui::kStoredWindow.height - margins.top() - margins.bottom());
    move(ui::kStoredWindow.left, ui::kStoredWindow.top);
    frameAdjusted_ = !margins.isNull();
    if (frameAdjusted_) {
        // A shown window's resize may settle later and shift the frame by
        // its margins; place it again once the resize has been applied.
        QTimer::singleShot(0, this,
                           [this] { move(ui::kStoredWindow.left, ui::kStoredWindow.top); });
    }
}

bool TForm1::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        if (!frameAdjusted_) {
            placeFrame();
        }
        ensureActivated();
    }
    return QWidget::event(event);
}

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Shown at start-up, the window asks for the focus; without a window
    // manager nobody else would give it, and the first activation would
    // never come. Shown minimised, it waits to be restored.
    if (!activated_ && !isMinimized()) {
        activateWindow();
    }
}

void TForm1::ensureActivated() {
    // Runs inside the first change of focus, before any key or click is
    // handled; a click on a window not yet activated activates it first.
    if (activated_ || destroying_) {
        return;
    }
    activated_ = true;
    ++activations_;
    runHandler([this] { drill_.FormActivate(); });
}

void TForm1::keyDown(std::uint16_t virtualKey) {
    ensureActivated();
    ++keyDowns_;
    runHandler([this, virtualKey] {
        std::uint16_t key = virtualKey;
        drill_.FormKeyDown(key);
    });
}

void TForm1::keyUp() {
    ensureActivated();
    ++keyUps_;
    runHandler([this] { drill_.FormKeyUp(); });
}

void TForm1::showError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, ui::fromUtf8(ui::kApplicationTitle), text,
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("errorBox"));
    box.exec();
}

void TForm1::writeStateFile() {
    const drill::DrillState& state = drill_.state();
    stateFile_->write({
        {QStringLiteral("activations"), number(activations_)},
        {QStringLiteral("keyDowns"), number(keyDowns_)},
        {QStringLiteral("keyUps"), number(keyUps_)},
        {QStringLiteral("KeyCount"), number(state.KeyCount)},
        {QStringLiteral("HitCount"), number(state.HitCount)},
        {QStringLiteral("ElapsedSeconds"), number(state.ElapsedSeconds)},
        {QStringLiteral("TrialTicks"), number(state.TrialTicks)},
        {QStringLiteral("Region"), number(state.Region)},
        {QStringLiteral("statictext47"), ui::fromUtf8(caption("statictext47"))},
        {QStringLiteral("statictext50"), ui::fromUtf8(caption("statictext50"))},
        {QStringLiteral("Label4"), ui::fromUtf8(caption("Label4"))},
        {QStringLiteral("StaticText57"), ui::fromUtf8(caption("StaticText57"))},
        {QStringLiteral("Label6"), ui::fromUtf8(caption("Label6"))},
        {QStringLiteral("Label14"), ui::fromUtf8(caption("Label14"))},
        {QStringLiteral("StaticText61"), ui::fromUtf8(caption("StaticText61"))},
        {QStringLiteral("Label15"), ui::fromUtf8(caption("Label15"))},
        {QStringLiteral("Label18"), ui::fromUtf8(caption("Label18"))},
        {QStringLiteral("StaticText55"), ui::fromUtf8(caption("StaticText55"))},
        {QStringLiteral("StaticText56"), ui::fromUtf8(caption("StaticText56"))},
        {QStringLiteral("MMTimer1"), number(timer("MMTimer1").Enabled() ? 1 : 0)},
        {QStringLiteral("MMTimer2"), number(timer("MMTimer2").Enabled() ? 1 : 0)},
        {QStringLiteral("Form1"), named("Form1").palette().color(QPalette::Window).name()},
    });
}

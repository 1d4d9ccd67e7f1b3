#include "settings/ui/SettingsWindowController.h"

#include "platform/WindowSystem.h"
#include "settings/HotKeyRecorder.h"
#include "settings/Preferences.h"
#include "settings/ui/HotKeyRecorderView.h"
#include "settings/ui/SettingsView.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShortcut>
#include <QVBoxLayout>
#include <QWidget>

namespace {
std::unique_ptr<SettingsWindowController> &sharedController()
{
    static std::unique_ptr<SettingsWindowController> controller;
    return controller;
}
} // namespace

SettingsWindowController &SettingsWindowController::shared()
{
    auto &controller = sharedController();
    if (!controller)
        controller = std::make_unique<SettingsWindowController>(Preferences::shared(), nullptr, nullptr);
    return *controller;
}

void SettingsWindowController::createShared(Preferences &preferences, WindowSystem *windowSystem,
                                            const KeyboardLayout *keyboardLayout)
{
    sharedController() = std::make_unique<SettingsWindowController>(preferences, windowSystem, keyboardLayout);
}

void SettingsWindowController::destroyShared()
{
    sharedController().reset();
}

SettingsWindowController::SettingsWindowController(Preferences &preferences, WindowSystem *windowSystem,
                                                   const KeyboardLayout *keyboardLayout, QObject *parent)
    : QObject(parent), preferences_(preferences), windowSystem_(windowSystem), keyboardLayout_(keyboardLayout)
{
}

SettingsWindowController::~SettingsWindowController() = default;

void SettingsWindowController::open(bool startRecording, const ActivationRequest &request)
{
    if (!window_) {
        window_ = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                                         | Qt::WindowCloseButtonHint);
        window_->setWindowTitle(QObject::tr("Corvane Settings"));
        auto *layout = new QVBoxLayout(window_.get());
        layout->setContentsMargins(0, 0, 0, 0);
        view_ = new SettingsView(preferences_, window_.get());
        layout->addWidget(view_);
        if (shellExtension_)
            view_->showExtension(*shellExtension_);
        layout->setSizeConstraint(QLayout::SetFixedSize);
        view_->recorderView()->setKeyboardLayout(keyboardLayout_);
        // Esc and Ctrl+W close the window, except while the recorder listens (it takes every key).
        for (const QKeySequence &keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
            auto *close = new QShortcut(keys, window_.get());
            connect(close, &QShortcut::activated, window_.get(), [this] {
                if (!view_->recorderView()->recorder().isRecording())
                    window_->close();
            });
        }
        if (const QScreen *screen = QGuiApplication::primaryScreen()) {
            QRect frame(QPoint(), window_->size());
            frame.moveCenter(screen->availableGeometry().center());
            window_->move(frame.topLeft());
        }
        view_->recorderView()->setFocus();  // the first control: Space starts recording
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    if (windowSystem_)
        windowSystem_->activate(window_->windowHandle(), request);
    if (startRecording && !view_->recorderView()->recorder().isRecording())
        view_->recorderView()->recorder().start();
}

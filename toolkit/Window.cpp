#include "Window.h"

#include "PictureButton.h"
#include "PictureDecoding.h"
#include "UnitFactory.h"
#include "WindowWidget.h"

#include <QAbstractButton>
#include <QDropEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSlider>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

namespace tk {
namespace {

QColor fromColourRef(uint32_t colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

int keyState(Qt::KeyboardModifiers modifiers) {
    return (modifiers & Qt::ControlModifier ? 1 : 0) | (modifiers & Qt::ShiftModifier ? 2 : 0) |
           (modifiers & Qt::AltModifier ? 4 : 0);
}

} // namespace

Window::Window(const WindowSpec& spec, QWidget* owner) : spec_(spec) {
    widget_ = new WindowWidget(owner);
    build();
}

Window::~Window() {
    delete widget_.data();
}

QWidget* Window::widget() const {
    return widget_.data();
}

Unit* Window::unit(const QString& name) const {
    for (const auto& unit : units_) {
        if (unit->name() == name)
            return unit.get();
    }
    return nullptr;
}

void Window::build() {
    WindowWidget* w = widget_.data();
    w->setObjectName(spec_.name);
    if (spec_.frameless)
        w->setWindowFlag(Qt::FramelessWindowHint);
    w->setWindowTitle(spec_.caption);
    w->setGeometry(spec_.left, spec_.top, spec_.width, spec_.height);
    if (!spec_.icon.isEmpty()) {
        w->setWindowIcon(QIcon(decodePixmap(skinPicture(spec_.icon))));
    }
    const QPixmap background =
        spec_.background.isEmpty() ? QPixmap() : decodePixmap(skinPicture(spec_.background));
    w->setBackground(background, static_cast<PictureMode>(spec_.pictureMode),
                     fromColourRef(spec_.backgroundColour));
    w->onQueryClose = [this] { return fire({}, EventKind::QueryClose); };
    w->onClosed = [this] { reportDestroying(); };
    w->onShown = [this] { fire({}, EventKind::Shown); };
    w->installEventFilter(this);

    for (const UnitSpec& spec : spec_.units) {
        QObject* object = createUnitObject(spec, w);
        units_.push_back(std::make_unique<Unit>(spec, object));
    }
    // Containers may come after the units they hold, so parents are set in a second pass.
    for (std::size_t i = 0; i < units_.size(); ++i) {
        const UnitSpec& spec = spec_.units.at(static_cast<int>(i));
        Unit& unit = *units_[i];
        QWidget* child = unit.widget();
        if (child && !spec.container.isEmpty()) {
            QWidget* container = this->unit(spec.container)->widget();
            if (auto* tabs = qobject_cast<QTabWidget*>(container); tabs && tabs->widget(spec.page))
                container = tabs->widget(spec.page);
            child->setParent(container);
        }
        unit.move(spec.left, spec.top, spec.width, spec.height);
        unit.setVisible(spec.visible);
        unit.setDisabled(spec.disabled);
        if (child) {
            child->setFocusPolicy(spec.focusable ? Qt::StrongFocus : Qt::NoFocus);
            if (spec.pointer == Pointer::Hand)
                child->setCursor(Qt::PointingHandCursor);
            else if (spec.pointer == Pointer::Arrow)
                child->setCursor(Qt::ArrowCursor);
        }
        connectUnit(unit, spec);
    }
    // The first unit of the layout lies on top of the ones after it.
    for (auto it = units_.rbegin(); it != units_.rend(); ++it) {
        if (QWidget* child = (*it)->widget())
            child->raise();
    }
}

void Window::connectUnit(Unit& unit, const UnitSpec& spec) {
    QObject* object = unit.object();
    if (!object)
        return;
    const QString name = unit.name();
    unitNames_.insert(object, name);
    if (QWidget* child = unit.widget()) {
        child->installEventFilter(this);
        if (spec.events.contains(EventKind::MouseMoved))
            child->setMouseTracking(true);
    }
    auto report = [this, name](EventKind event) {
        return [this, name, event] { fire(name, event); };
    };
    if (auto* button = qobject_cast<PictureButton*>(object))
        connect(button, &PictureButton::clicked, this, report(EventKind::Click));
    else if (auto* button = qobject_cast<QAbstractButton*>(object))
        connect(button, &QAbstractButton::clicked, this, report(EventKind::Click));
    else if (auto* edit = qobject_cast<QLineEdit*>(object))
        connect(edit, &QLineEdit::textChanged, this, report(EventKind::TextChanged));
    else if (auto* edit = qobject_cast<QPlainTextEdit*>(object))
        connect(edit, &QPlainTextEdit::textChanged, this, report(EventKind::TextChanged));
    else if (auto* timer = qobject_cast<QTimer*>(object))
        connect(timer, &QTimer::timeout, this, report(EventKind::Tick));
    else if (auto* slider = qobject_cast<QSlider*>(object))
        connect(slider, &QSlider::valueChanged, this, report(EventKind::PositionChanged));
    else if (auto* view = qobject_cast<QTextBrowser*>(object))
        connect(view, &QTextBrowser::anchorClicked, this, [this, name](const QUrl& address) {
            EventArgs args;
            args.address = address.toString();
            fire(name, EventKind::AboutToNavigate, args);
        });
}

void Window::setDropHandler(std::function<void(const QStringList& files)> handler) {
    dropHandler_ = std::move(handler);
    if (widget_)
        widget_->setAcceptDrops(bool(dropHandler_));
}

namespace {

QStringList localFiles(const QMimeData* data) {
    QStringList files;
    if (data && data->hasUrls()) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile())
                files << url.toLocalFile();
        }
    }
    return files;
}

} // namespace

bool Window::filterDrop(QEvent* event) {
    if (!dropHandler_)
        return false;
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (localFiles(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = localFiles(drop->mimeData());
        if (files.isEmpty())
            return false;
        drop->acceptProposedAction();
        // A copy: the handler may replace itself.
        const auto handler = dropHandler_;
        handler(files);
        return true;
    }
    default:
        return false;
    }
}

bool Window::eventFilter(QObject* watched, QEvent* event) {
    // The event's type first: during the widget's destruction it is no longer a WindowWidget.
    const bool drag = event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
                      event->type() == QEvent::Drop;
    if (drag && watched == widget_.data() && filterDrop(event))
        return true;
    EventKind kind;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const bool press = event->type() == QEvent::MouseButtonPress;
        if (mouse->button() == Qt::LeftButton)
            kind = press ? EventKind::LeftPressed : EventKind::LeftReleased;
        else if (mouse->button() == Qt::RightButton)
            kind = press ? EventKind::RightPressed : EventKind::RightReleased;
        else
            return false;
        break;
    }
    case QEvent::MouseButtonDblClick:
        kind = EventKind::DoubleClick;
        break;
    case QEvent::MouseMove:
        kind = EventKind::MouseMoved;
        break;
    default:
        return false;
    }
    const QString name = watched == widget_.data() ? QString() : unitNames_.value(watched);
    if (name.isEmpty() && watched != widget_.data())
        return false;
    if (!handlers_.count({name, kind}))
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = mouse->position().toPoint();
    fire(name, kind, {pos.x(), pos.y(), keyState(mouse->modifiers()), {}});
    // A picture button keeps its own reaction (it shows pressed and accepts the event); for
    // other units the handled event ends here and does not reach the window behind them.
    return watched != widget_.data() && !qobject_cast<PictureButton*>(watched);
}

bool Window::bind(const QString& unitName, EventKind event, Handler handler) {
    const QVector<EventKind>* events = &spec_.events;
    if (!unitName.isEmpty()) {
        const UnitSpec* unit = spec_.unit(unitName);
        if (!unit)
            return false;
        events = &unit->events;
    }
    if (!events->contains(event))
        return false;
    handlers_[{unitName, event}] = std::move(handler);
    if (event == EventKind::Tick)
        unit(unitName)->setTimerListened(true);
    return true;
}

QStringList Window::unboundEvents() const {
    QStringList missing;
    for (EventKind event : spec_.events) {
        if (!handlers_.count({QString(), event}))
            missing << QStringLiteral("/") + eventName(event);
    }
    for (const UnitSpec& unit : spec_.units) {
        for (EventKind event : unit.events) {
            if (!handlers_.count({unit.name, event}))
                missing << unit.name + QStringLiteral("/") + eventName(event);
        }
    }
    return missing;
}

bool Window::fire(const QString& unitName, EventKind event, const EventArgs& args) {
    const auto it = handlers_.find({unitName, event});
    if (it == handlers_.end())
        return true;
    // Copy: the handler may rebind or destroy the window.
    const Handler handler = it->second;
    return handler(args);
}

void Window::load() {
    loading_ = true;
    wantVisible_ = spec_.visible;
    fire({}, EventKind::Created);
    loading_ = false;
    if (!destroyed_ && widget_)
        widget_->setVisible(wantVisible_);
}

void Window::reportDestroying() {
    if (destroyed_)
        return;
    destroyed_ = true;
    fire({}, EventKind::Destroying);
}

void Window::destroy() {
    reportDestroying();
    if (widget_) {
        widget_->hide();
        widget_->deleteLater();
    }
}

bool Window::isDestroyed() const {
    return destroyed_ || !widget_;
}

int Window::left() const {
    return widget_ ? widget_->x() : 0;
}

int Window::top() const {
    return widget_ ? widget_->y() : 0;
}

int Window::width() const {
    return widget_ ? widget_->width() : 0;
}

int Window::height() const {
    return widget_ ? widget_->height() : 0;
}

void Window::move(std::optional<int> left, std::optional<int> top, std::optional<int> width,
                  std::optional<int> height) {
    if (!widget_)
        return;
    widget_->move(left.value_or(this->left()), top.value_or(this->top()));
    widget_->resize(std::max(0, width.value_or(this->width())),
                    std::max(0, height.value_or(this->height())));
}

QString Window::caption() const {
    return widget_ ? widget_->windowTitle() : QString();
}

void Window::setCaption(const QString& caption) {
    if (!widget_ || widget_->windowTitle() == caption)
        return;
    widget_->setWindowTitle(caption);
    emit captionChanged(caption);
}

bool Window::isVisible() const {
    if (loading_)
        return wantVisible_;
    return widget_ && widget_->isVisible();
}

void Window::setVisible(bool visible) {
    wantVisible_ = visible;
    // While loading, hiding waits for the end of "created"; showing happens at once, since
    // the created steps may need the window on screen.
    if (widget_ && (!loading_ || visible))
        widget_->setVisible(visible);
}

void Window::setPlacement(int placement) {
    if (!widget_)
        return;
    if (placement == 2) {
        widget_->showMinimized();
    } else if (placement == 1) {
        if (const QScreen* screen = widget_->screen()) {
            const QRect area = screen->availableGeometry();
            widget_->move(area.center() - widget_->rect().center());
        }
    }
}

} // namespace tk

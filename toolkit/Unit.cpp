#include "Unit.h"

#include "PictureBox.h"
#include "PictureButton.h"
#include "PictureDecoding.h"
#include "TransparentLabel.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace tk {
namespace {

QColor fromColourRef(uint32_t colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

} // namespace

Unit::Unit(const UnitSpec& spec, QObject* object)
    : name_(spec.name), id_(spec.id), kind_(spec.kind), object_(object), tag_(spec.tag),
      objectRect_(spec.left, spec.top, spec.width, spec.height), objectVisible_(spec.visible) {}

QWidget* Unit::widget() const {
    return qobject_cast<QWidget*>(object_.data());
}

int Unit::left() const {
    const QWidget* w = widget();
    return w ? w->x() : objectRect_.x();
}

int Unit::top() const {
    const QWidget* w = widget();
    return w ? w->y() : objectRect_.y();
}

int Unit::width() const {
    const QWidget* w = widget();
    return w ? w->width() : objectRect_.width();
}

int Unit::height() const {
    const QWidget* w = widget();
    return w ? w->height() : objectRect_.height();
}

void Unit::move(std::optional<int> left, std::optional<int> top, std::optional<int> width,
                std::optional<int> height) {
    // Negative sizes, which some position tags produce, give an empty widget; values are kept
    // within what a widget can hold, so that no edge computation overflows.
    static constexpr int limit = QWIDGETSIZE_MAX;
    const auto place = [](int value) { return std::clamp(value, -limit, limit); };
    const auto size = [](int value) { return std::clamp(value, 0, limit); };
    const QRect rect(place(left.value_or(this->left())), place(top.value_or(this->top())),
                     size(width.value_or(this->width())), size(height.value_or(this->height())));
    if (QWidget* w = widget())
        w->setGeometry(rect);
    else
        objectRect_ = rect;
}

bool Unit::isVisible() const {
    const QWidget* w = widget();
    return w ? !w->isHidden() : objectVisible_;
}

void Unit::setVisible(bool visible) {
    if (QWidget* w = widget())
        w->setVisible(visible);
    else
        objectVisible_ = visible;
}

bool Unit::isDisabled() const {
    // The unit's own flag: a unit inside a disabled container is not itself disabled.
    const QWidget* w = widget();
    return w && w->testAttribute(Qt::WA_ForceDisabled);
}

void Unit::setDisabled(bool disabled) {
    if (QWidget* w = widget())
        w->setDisabled(disabled);
}

QString Unit::text() const {
    QObject* o = object_.data();
    if (auto* label = qobject_cast<TransparentLabel*>(o))
        return label->text();
    if (auto* label = qobject_cast<QLabel*>(o))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(o))
        return button->property("caption").isValid() ? button->property("caption").toString()
                                                     : button->text();
    if (auto* edit = qobject_cast<QLineEdit*>(o))
        return edit->text();
    if (auto* edit = qobject_cast<QPlainTextEdit*>(o))
        return edit->toPlainText();
    if (auto* group = qobject_cast<QGroupBox*>(o))
        return group->title();
    if (auto* combo = qobject_cast<QComboBox*>(o))
        return combo->currentText();
    if (auto* action = qobject_cast<QAction*>(o))
        return action->text();
    return {};
}

void Unit::setText(const QString& text) {
    QObject* o = object_.data();
    if (auto* label = qobject_cast<TransparentLabel*>(o))
        label->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(o))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(o)) {
        if (button->property("caption").isValid())
            button->setProperty("caption", text); // picture-only button: keep as tool tip
        else
            button->setText(text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(o))
        edit->setText(text);
    else if (auto* edit = qobject_cast<QPlainTextEdit*>(o))
        edit->setPlainText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(o))
        group->setTitle(text);
    else if (auto* combo = qobject_cast<QComboBox*>(o)) {
        if (combo->findText(text) < 0)
            combo->addItem(text);
        combo->setCurrentText(text);
    } else if (auto* action = qobject_cast<QAction*>(o))
        action->setText(text);
}

QByteArray Unit::picture(int n) const {
    QObject* o = object_.data();
    if (auto* button = qobject_cast<PictureButton*>(o))
        return button->picture(n);
    if (auto* box = qobject_cast<PictureBox*>(o))
        return n == 1 ? box->picture() : QByteArray();
    if (o && n == 1)
        return o->property("pictureBytes").toByteArray();
    return {};
}

void Unit::setPicture(int n, const QByteArray& bytes) {
    QObject* o = object_.data();
    if (auto* button = qobject_cast<PictureButton*>(o)) {
        button->setPicture(n, bytes);
    } else if (auto* box = qobject_cast<PictureBox*>(o)) {
        if (n == 1)
            box->setPicture(bytes);
    } else if (auto* button = qobject_cast<QPushButton*>(o); button && n == 1) {
        button->setProperty("pictureBytes", bytes);
        const QPixmap pixmap = decodePixmap(bytes);
        button->setIcon(QIcon(pixmap));
        button->setIconSize(pixmap.size());
    }
}

uint32_t Unit::transparentColour() const {
    return object_ ? object_->property("transparentColour").toUInt() : 0;
}

void Unit::setTransparentColour(uint32_t colour) {
    if (object_)
        object_->setProperty("transparentColour", colour);
}

int Unit::interval() const {
    auto* timer = qobject_cast<QTimer*>(object_.data());
    return timer ? timer->property("intervalMs").toInt() : 0;
}

void Unit::setInterval(int ms) {
    auto* timer = qobject_cast<QTimer*>(object_.data());
    if (!timer)
        return;
    ms = std::max(0, ms);
    timer->setProperty("intervalMs", ms);
    // A timer nobody listens to keeps its interval but does not wake the program.
    if (ms == 0 || !timer->property("listened").toBool())
        timer->stop();
    else
        timer->start(ms);
}

void Unit::setTimerListened(bool listened) {
    if (auto* timer = qobject_cast<QTimer*>(object_.data())) {
        timer->setProperty("listened", listened);
        setInterval(interval());
    }
}

bool Unit::isChecked() const {
    auto* box = qobject_cast<QCheckBox*>(object_.data());
    return box && box->isChecked();
}

void Unit::setChecked(bool checked) {
    if (auto* box = qobject_cast<QCheckBox*>(object_.data()))
        box->setChecked(checked);
}

int Unit::position() const {
    auto* slider = qobject_cast<QSlider*>(object_.data());
    return slider ? slider->value() : 0;
}

void Unit::setPosition(int position) {
    if (auto* slider = qobject_cast<QSlider*>(object_.data()))
        slider->setValue(position);
}

uint32_t Unit::colour() const {
    return kind_ == Kind::ColourPicker && object_ ? object_->property("colour").toUInt() : 0;
}

void Unit::setColour(uint32_t colour) {
    auto* button = qobject_cast<QPushButton*>(object_.data());
    if (kind_ != Kind::ColourPicker || !button)
        return;
    button->setProperty("colour", colour);
    button->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid #606060;")
                              .arg(fromColourRef(colour).name()));
}

void Unit::setTextColour(uint32_t colour) {
    if (auto* label = qobject_cast<TransparentLabel*>(object_.data()))
        label->setTextColour(fromColourRef(colour));
}

void Unit::setFontFace(const QString& face) {
    if (QWidget* w = widget()) {
        QFont font = w->font();
        font.setFamily(face);
        w->setFont(font);
    }
}

void Unit::setFontSize(int points) {
    QWidget* w = widget();
    if (w && points > 0) {
        QFont font = w->font();
        font.setPointSize(points);
        w->setFont(font);
    }
}

void Unit::setAlignment(int alignment) {
    if (auto* label = qobject_cast<TransparentLabel*>(object_.data()))
        label->setAlignment(alignment);
}

int Unit::intProperty(Prop prop) const {
    switch (prop) {
    case Prop::Left:
        return left();
    case Prop::Top:
        return top();
    case Prop::Width:
        return width();
    case Prop::Height:
        return height();
    case Prop::Visible:
        return isVisible() ? 1 : 0;
    case Prop::Disabled:
        return isDisabled() ? 1 : 0;
    case Prop::Text:
        return kind_ == Kind::Timer ? interval() : kind_ == Kind::ColourPicker ? colour() : 0;
    case Prop::TransparentColour:
        return static_cast<int>(transparentColour());
    case Prop::Checked:
        return isChecked() ? 1 : 0;
    case Prop::Position:
        return position();
    default:
        return 0;
    }
}

void Unit::setIntProperty(Prop prop, int value) {
    switch (prop) {
    case Prop::Left:
        move(value, {});
        break;
    case Prop::Top:
        move({}, value);
        break;
    case Prop::Width:
        move({}, {}, value);
        break;
    case Prop::Height:
        move({}, {}, {}, value);
        break;
    case Prop::Visible:
        setVisible(value != 0);
        break;
    case Prop::Disabled:
        setDisabled(value != 0);
        break;
    case Prop::Text:
        if (kind_ == Kind::Timer)
            setInterval(value);
        else if (kind_ == Kind::ColourPicker)
            setColour(static_cast<uint32_t>(value));
        break;
    case Prop::TransparentColour:
        setTransparentColour(static_cast<uint32_t>(value));
        break;
    case Prop::Checked:
        setChecked(value != 0);
        break;
    case Prop::Position:
        setPosition(value);
        break;
    default:
        break;
    }
}

} // namespace tk

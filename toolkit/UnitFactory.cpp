#include "UnitFactory.h"

#include "PictureBox.h"
#include "PictureButton.h"
#include "TransparentLabel.h"
#include "Unit.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <algorithm>

namespace tk {
namespace {

// Edit boxes this tall or taller hold several lines.
constexpr int kMultiLineHeight = 40;

QObject* createWidget(const UnitSpec& spec, QWidget* window) {
    switch (spec.kind) {
    case Kind::PictureButton:
        return new PictureButton(window);
    case Kind::Button:
    case Kind::SuperButton: {
        auto* button = new QPushButton(spec.text, window);
        if (spec.kind == Kind::SuperButton) {
            button->setFlat(true);
            button->setStyleSheet(QStringLiteral("text-align: left; padding-left: 6px;"));
        } else if (!spec.pictures.value(0).isEmpty()) {
            // A picture button with a caption: the picture is its face, the caption its tip.
            button->setText({});
            button->setProperty("caption", spec.text);
            button->setToolTip(spec.text);
            button->setFlat(true);
        }
        return button;
    }
    case Kind::TransparentLabel: {
        auto* label = new TransparentLabel(window);
        label->setText(spec.text);
        return label;
    }
    case Kind::Label:
        return new QLabel(spec.text, window);
    case Kind::Hyperlink: {
        auto* link = new QLabel(
            QStringLiteral("<a href=\"#\">%1</a>").arg(spec.text.toHtmlEscaped()), window);
        link->setTextFormat(Qt::RichText);
        return link;
    }
    case Kind::EditBox: {
        if (spec.height >= kMultiLineHeight) {
            auto* edit = new QPlainTextEdit(window);
            edit->setPlainText(spec.text);
            return edit;
        }
        return new QLineEdit(spec.text, window);
    }
    case Kind::PictureBox:
        return new PictureBox(window);
    case Kind::ShapeBox: {
        auto* frame = new QFrame(window);
        frame->setFrameShape(spec.height <= 2 ? QFrame::HLine : QFrame::NoFrame);
        frame->setFrameShadow(QFrame::Sunken);
        return frame;
    }
    case Kind::GroupBox:
        return new QGroupBox(spec.text, window);
    case Kind::CheckBox: {
        auto* box = new QCheckBox(spec.text, window);
        box->setChecked(spec.checked);
        return box;
    }
    case Kind::ComboBox: {
        auto* combo = new QComboBox(window);
        combo->addItems(spec.items);
        if (!spec.text.isEmpty()) {
            if (combo->findText(spec.text) < 0)
                combo->addItem(spec.text);
            combo->setCurrentText(spec.text);
        }
        return combo;
    }
    case Kind::TabControl: {
        auto* tabs = new QTabWidget(window);
        for (const QString& title : spec.items)
            tabs->addTab(new QWidget(tabs), title);
        return tabs;
    }
    case Kind::SliderBar: {
        auto* slider = new QSlider(Qt::Horizontal, window);
        slider->setRange(spec.rangeMin, spec.rangeMax);
        slider->setValue(spec.position);
        // The arrow keys move by the line step, a click in the track by the page step.
        if (spec.lineStep > 0)
            slider->setSingleStep(spec.lineStep);
        if (spec.pageStep > 0)
            slider->setPageStep(spec.pageStep);
        return slider;
    }
    case Kind::ColourPicker:
        return new QPushButton(window);
    case Kind::HtmlView: {
        auto* view = new QTextBrowser(window);
        view->setOpenLinks(false);
        view->setProperty("address", spec.url);
        return view;
    }
    default:
        return nullptr;
    }
}

} // namespace

QByteArray skinPicture(const QString& path) {
    if (path.isEmpty())
        return {};
    QFile file(QStringLiteral(":/skin/") + path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QObject* createUnitObject(const UnitSpec& spec, QWidget* window) {
    QObject* object = nullptr;
    switch (spec.kind) {
    case Kind::Timer: {
        auto* timer = new QTimer(window);
        timer->setProperty("intervalMs", std::max(0, spec.interval)); // started once listened to
        object = timer;
        break;
    }
    case Kind::MenuItem:
        object = new QAction(spec.text, window);
        break;
    case Kind::FileDialog:
    case Kind::DropTarget:
    case Kind::SuperMenu:
    case Kind::BalloonTip:
        object = new QObject(window);
        break;
    default:
        object = createWidget(spec, window);
        break;
    }
    if (!object)
        return nullptr;
    object->setObjectName(spec.name);

    Unit unit(spec, object);
    for (int n = 1; n <= spec.pictures.size(); ++n)
        unit.setPicture(n, skinPicture(spec.pictures.at(n - 1)));
    if (spec.kind == Kind::ColourPicker)
        unit.setColour(spec.colour);
    return object;
}

} // namespace tk

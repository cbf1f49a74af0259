#pragma once

#include "LayoutData.h"

#include <QByteArray>
#include <QPointer>
#include <QRect>
#include <QString>
#include <optional>

class QObject;
class QWidget;

namespace tk {

// The numbered properties of the layout, for the places where data drives the index.
enum class Prop : int {
    Left = 0,
    Top = 1,
    Width = 2,
    Height = 3,
    Tag = 4,
    Visible = 5,
    Disabled = 6,
    Pointer = 7,
    Text = 8, // caption or text; a timer's interval; a colour picker's colour
    Picture1 = 10,
    Picture2 = 11,
    Picture3 = 12,
    Picture4 = 13,
    TransparentColour = 14,
    Checked = 18, // check box; a window's placement
    Position = 19,
};

// One unit of a loaded window: the Qt object that stands for it and typed access to its
// numbered properties. Geometry is in the container's client coordinates. Accessors that do
// not apply to the unit's kind read as empty or zero and ignore writes.
class Unit {
  public:
    Unit(const UnitSpec& spec, QObject* object);

    const QString& name() const { return name_; }
    uint32_t id() const { return id_; }
    Kind kind() const { return kind_; }
    QObject* object() const { return object_; }
    QWidget* widget() const; // nullptr for non-visual units

    int left() const;
    int top() const;
    int width() const;
    int height() const;
    // Moves and sizes in one step; an omitted value keeps the current one.
    void move(std::optional<int> left, std::optional<int> top, std::optional<int> width = {},
              std::optional<int> height = {});

    QString tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }

    bool isVisible() const; // the unit's own flag, whatever its container shows
    void setVisible(bool visible);
    bool isDisabled() const;
    void setDisabled(bool disabled);

    QString text() const;
    void setText(const QString& text);

    // Pictures are image file bytes; n is 1..4 (properties 10..13).
    QByteArray picture(int n = 1) const;
    void setPicture(int n, const QByteArray& bytes);
    uint32_t transparentColour() const;
    void setTransparentColour(uint32_t colour);

    int interval() const; // timer, ms; 0 = stopped
    void setInterval(int ms);
    // Whether a handler takes the timer's ticks; one without runs no timer at all.
    void setTimerListened(bool listened);
    bool isChecked() const; // check box
    void setChecked(bool checked);
    int position() const; // slider bar
    void setPosition(int position);
    uint32_t colour() const; // colour picker, 0x00BBGGRR
    void setColour(uint32_t colour);

    // Transparent label styling.
    void setTextColour(uint32_t colour);
    void setFontFace(const QString& face);
    void setFontSize(int points);
    void setAlignment(int alignment); // 0 left, 1 centred, 2 right

    // File dialog.
    QString initialDirectory() const { return initialDirectory_; }
    void setInitialDirectory(const QString& dir) { initialDirectory_ = dir; }
    QString fileName() const { return fileName_; }
    void setFileName(const QString& name) { fileName_ = name; }

    // Numbered access for data-driven callers: integers and texts by index.
    int intProperty(Prop prop) const;
    void setIntProperty(Prop prop, int value);

  private:
    QString name_;
    uint32_t id_;
    Kind kind_;
    QPointer<QObject> object_;
    QString tag_;
    QRect objectRect_;           // geometry of a non-visual unit
    bool objectVisible_ = false; // visibility flag of a non-visual unit
    QString initialDirectory_;
    QString fileName_;
};

} // namespace tk

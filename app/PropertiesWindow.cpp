#include "PropertiesWindow.h"

#include "LayoutData.h"
#include "Layouts.h"
#include "PropertiesTexts.h"
#include "PropertiesWindowUnits.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QWidget>

namespace app {
namespace {

using namespace ui::properties_window;


QString formatTable(const std::vector<properties_texts::FormatRow>& rows) {
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"0\">");
    for (const auto& row : rows)
        html += QStringLiteral("<tr><td style=\"padding: 3px 4px 3px 0\">%1:</td><td "
                               "style=\"padding: 3px 0\">%2</td></tr>")
                    .arg(row.name.toHtmlEscaped(), row.value.toHtmlEscaped());
    return html + QStringLiteral("</table>");
}

} // namespace

PropertiesWindow::PropertiesWindow(QWidget* owner, std::function<TrackInfo()> currentTrack)
    : currentTrack_(std::move(currentTrack)), window_(ui::buildWindow(QStringLiteral("properties"), owner)) {
    prepareUnits();
    bindHandlers();
}

PropertiesWindow::~PropertiesWindow() = default;

void PropertiesWindow::prepareUnits() {
    tk::Window& w = *window_;
    // Nothing here is ever written back to the file, so nothing invites editing.
    for (const QString& name : {kFileName, kTitle, kArtist, kAlbum, kYear, kTrack}) {
        if (auto* edit = qobject_cast<QLineEdit*>(w.unit(name)->widget()))
            edit->setReadOnly(true);
    }
    if (auto* edit = qobject_cast<QPlainTextEdit*>(w.unit(kComment)->widget())) {
        edit->setReadOnly(true);
        edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    w.unit(kSaveButton)->setDisabled(true);
    setTrackNavigation(false, false);

    tk::Unit* box = w.unit(kFormatBox);
    box->setText(QStringLiteral("音频格式"));
    auto* label = new QLabel(box->widget());
    label->setTextFormat(Qt::RichText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Narrow margins: the box is only 176 pixels wide and a codec name is long.
    auto* layout = new QVBoxLayout(box->widget());
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(label);
    formatLabel_ = label;
}

void PropertiesWindow::bindHandlers() {
    tk::Window& w = *window_;
    using E = tk::EventKind;
    w.bind({}, E::Created, [this](const tk::EventArgs&) {
        showTrack();
        return true;
    });
    // Reported when the widget has closed (the close box or the close button): the window is
    // destroyed, not kept hidden.
    w.bind({}, E::Destroying, [this](const tk::EventArgs&) {
        window_->destroy();
        return true;
    });
    w.bind(kReloadButton, E::Click, [this](const tk::EventArgs&) {
        showTrack();
        return true;
    });
    w.bind(kCloseButton, E::Click, [this](const tk::EventArgs&) {
        window_->widget()->close();
        return true;
    });
    w.bind(kPreviousButton, E::Click, [this](const tk::EventArgs&) {
        emit previousRequested();
        return true;
    });
    w.bind(kNextButton, E::Click, [this](const tk::EventArgs&) {
        emit nextRequested();
        return true;
    });
}

void PropertiesWindow::load() {
    window_->load();
}

bool PropertiesWindow::isOpen() const {
    return !window_->isDestroyed();
}

void PropertiesWindow::raise() {
    if (!isOpen())
        return;
    QWidget* widget = window_->widget();
    widget->show();
    widget->raise();
    widget->activateWindow();
}

void PropertiesWindow::showTrack() {
    if (!isOpen())
        return;
    properties_ = readTrackProperties(currentTrack_());
    present();
}

void PropertiesWindow::setTrackNavigation(bool hasPrevious, bool hasNext) {
    if (!isOpen())
        return;
    window_->unit(kPreviousButton)->setDisabled(!hasPrevious);
    window_->unit(kNextButton)->setDisabled(!hasNext);
}

void PropertiesWindow::present() {
    tk::Window& w = *window_;
    const media::TrackDetails& tags = properties_.tags;
    w.unit(kFileName)->setText(properties_texts::fileName(properties_));
    w.unit(kTitle)->setText(QString::fromStdString(tags.title));
    w.unit(kArtist)->setText(QString::fromStdString(tags.artist));
    w.unit(kAlbum)->setText(QString::fromStdString(tags.album));
    w.unit(kYear)->setText(QString::fromStdString(tags.year));
    w.unit(kTrack)->setText(QString::fromStdString(tags.track));
    w.unit(kComment)->setText(QString::fromStdString(tags.comment));
    // The list holds the track's genre alone: there is nothing to choose from while the
    // window cannot save.
    if (auto* genre = qobject_cast<QComboBox*>(w.unit(kGenre)->widget())) {
        genre->clear();
        if (!tags.genre.empty())
            genre->addItem(QString::fromStdString(tags.genre));
    }
    if (formatLabel_)
        formatLabel_->setText(formatTable(properties_texts::formatRows(properties_)));
}

} // namespace app

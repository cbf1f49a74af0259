#pragma once

#include "LayoutData.h"
#include "Unit.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QWidget;

namespace tk {

class WindowWidget;

// A window built from its layout data. Handlers are bound by (unit name, event) before
// load(); an empty unit name means the window itself. load() shows the window when its data
// says so and then reports "created". Destroying the Window object destroys its widget.
class Window : public QObject {
    Q_OBJECT
  public:
    // Handlers return false only to refuse a query-close.
    using Handler = std::function<bool(const EventArgs&)>;

    explicit Window(const WindowSpec& spec, QWidget* owner = nullptr);
    ~Window() override;

    const WindowSpec& spec() const { return spec_; }
    QWidget* widget() const;

    Unit* unit(const QString& name) const;
    const std::vector<std::unique_ptr<Unit>>& units() const { return units_; }

    // Binds a handler; false (and nothing bound) when the data binds no such event.
    bool bind(const QString& unitName, EventKind event, Handler handler);
    // Events the data binds that have no handler yet, as "unit/event" texts.
    QStringList unboundEvents() const;

    void load();
    // Destroys the window (reports "about to be destroyed" first).
    void destroy();
    bool isDestroyed() const;

    // Window properties: geometry in screen coordinates of the client area.
    int left() const;
    int top() const;
    int width() const;
    int height() const;
    void move(std::optional<int> left, std::optional<int> top, std::optional<int> width = {},
              std::optional<int> height = {});
    QString caption() const;
    void setCaption(const QString& caption);
    bool isVisible() const;
    void setVisible(bool visible);
    void setPlacement(int placement); // 1 centre on the screen, 2 minimise

    // Files dropped on the window go to `handler` (local files only, in the order given); an
    // empty handler withdraws the window as a drop target.
    void setDropHandler(std::function<void(const QStringList& files)> handler);

    // Delivers an event to its handler; true when there was none or it did not refuse.
    bool fire(const QString& unitName, EventKind event, const EventArgs& args = {});

  signals:
    void captionChanged(const QString& caption);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void build();
    void connectUnit(Unit& unit, const UnitSpec& spec);
    void reportDestroying();
    bool filterDrop(QEvent* event);

    WindowSpec spec_;
    QPointer<WindowWidget> widget_;
    std::vector<std::unique_ptr<Unit>> units_;
    std::map<std::pair<QString, EventKind>, Handler> handlers_;
    QHash<QObject*, QString> unitNames_;
    std::function<void(const QStringList&)> dropHandler_;
    bool loading_ = false;
    bool wantVisible_ = false;
    bool destroyed_ = false;
};

} // namespace tk

#pragma once

#include <QWidget>

#include <functional>

// A page (of a tab widget, say) whose controls are made when it is first
// shown or first asked for, so that a window opens without making the pages
// nobody has looked at yet. The page itself exists from the start, with its
// object name, its signals and its place among the tabs; a subclass makes
// its controls in Build(), or the page is given a function that does.
class TLazyPage : public QWidget
{
    Q_OBJECT
public:
    explicit TLazyPage(QWidget* parent = nullptr);
    TLazyPage(std::function<void(QWidget* page)> build, QWidget* parent);

    bool IsBuilt() const { return m_built; }
    // Makes the controls now, unless they exist.
    void EnsureBuilt();
    // Made before the page is shown, so that its controls are shown with it.
    void setVisible(bool visible) override;

signals:
    // The controls exist now; emitted once, after Build().
    void Built();

protected:
    virtual void Build();

private:
    std::function<void(QWidget* page)> m_build;
    bool m_built = false;
};

#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

namespace urok {

// A window that ends its own life: "Отказ", "Запис", a pick or its close
// box unloads it (it is closed and destroyed, and the next reference makes
// it afresh). Whoever keeps the window says how it is unloaded. The window
// that was in front when it opened comes back in front when it goes, so the
// keyboard's focus is never left nowhere.
class SelfUnloading
{
public:
    void setUnload(std::function<void()> unload) { unload_ = std::move(unload); }

protected:
    // From the window's show event.
    void noteOpener(const QWidget *self);
    void unload();

private:
    std::function<void()> unload_;
    QPointer<QWidget> opener_;
};

// A window beside the lesson (the Focus window, the task chooser, the
// full-size picture): closing it, by its close box or by Escape, unloads it.
// A screen reader sees it as a window (a frame), as it sees the others.
class AuxiliaryWindow : public QWidget, public SelfUnloading
{
    Q_OBJECT
public:
    explicit AuxiliaryWindow(QWidget *parent = nullptr);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
};

} // namespace urok

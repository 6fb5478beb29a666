#pragma once

#include <QWidget>

#include <functional>

namespace urok {

// A window that ends its own life: "Отказ", "Запис", a pick or its close
// box unloads it (it is closed and destroyed, and the next reference makes
// it afresh). Whoever keeps the window says how it is unloaded.
class SelfUnloading
{
public:
    void setUnload(std::function<void()> unload) { unload_ = std::move(unload); }

protected:
    void unload()
    {
        if (unload_)
            unload_();
    }

private:
    std::function<void()> unload_;
};

// A window beside the lesson (the Focus window, the task chooser, the
// full-size picture): closing it, by its close box or by Escape, unloads it.
class AuxiliaryWindow : public QWidget, public SelfUnloading
{
    Q_OBJECT
public:
    using QWidget::QWidget;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace urok

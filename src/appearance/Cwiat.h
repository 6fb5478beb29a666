#pragma once

#include <QMainWindow>

namespace urok {

class WindowRegistry;

// The colour and font window.
class Cwiat : public QMainWindow
{
    Q_OBJECT
public:
    explicit Cwiat(WindowRegistry &windows);
    void Form_Load();

private:
    WindowRegistry &windows_;
};

} // namespace urok

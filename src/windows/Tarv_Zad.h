#pragma once

#include <QWidget>

namespace urok {

class ListBox;
class TextBox;
class WindowRegistry;

// The Focus window: a text shown enlarged, with a choice of font size.
class Tarv_Zad : public QWidget
{
    Q_OBJECT
public:
    explicit Tarv_Zad(WindowRegistry &windows);

    void Form_Load();

    ListBox *List_font = nullptr;
    TextBox *Obsho_Pole = nullptr;

    static constexpr int DesignWidth = 11715;
    static constexpr int DesignHeight = 6915;

private:
    WindowRegistry &windows_;
};

} // namespace urok

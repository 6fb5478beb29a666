#pragma once

#include "app/AuxiliaryWindow.h"

namespace urok {

class ListBox;
class TextBox;

// The Focus window: a text shown enlarged, with a choice of font size from
// 10 to 40 points that the lesson remembers for the next time.
class Tarv_Zad : public AuxiliaryWindow<Tarv_Zad>
{
    Q_OBJECT
public:
    explicit Tarv_Zad(WindowRegistry &windows);

    void Form_Load();
    void Form_Resize();
    void Razpolozhi();
    void List_font_Click();

    ListBox *List_font = nullptr;
    TextBox *Obsho_Pole = nullptr;

    static constexpr int DesignWidth = 11715;
    static constexpr int DesignHeight = 6915;

protected:
    void resizeEvent(QResizeEvent *event) override;
};

} // namespace urok

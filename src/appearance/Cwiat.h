#pragma once

#include "controls/AuxiliaryWindow.h"
#include "engine/Look.h"

#include <QMainWindow>

#include <array>

class QAction;
class QButtonGroup;
class QFrame;
class QLabel;
class QRadioButton;
class QSlider;

namespace urok {

class ClientArea;
class ItemList;
class ListBox;
class SpokenNotice;
class TextBox;
struct LessonContext;

// The colour and font window. The pupil composes the four colours of the
// lesson's look (window background, text field background, text colour,
// caption label background) from red, green and blue sliders and chooses
// a font name and size on a sample field. Every change goes straight into
// the appearance settings list; "Запис" gives the look the list holds to
// the main window, the tasks window and the Focus window, "Отказ" only
// closes. The window is unloaded when it closes, so each opening starts
// afresh.
class Cwiat : public QMainWindow, public SelfUnloading
{
    Q_OBJECT
public:
    explicit Cwiat(LessonContext &lesson);
    ~Cwiat() override;

    void Form_Load();

    // The inner area below the menu bar; it carries the window's background.
    ClientArea *client() const { return client_; }

    static constexpr int DesignWidth = 5535;
    static constexpr int DesignHeight = 4710;

Q_SIGNALS:
    // "Запис": the look for the lesson's windows.
    void lookSaved(const Look &look);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Handlers and procedures.
    void cwetowe_RGB(qint32 Cwet);
    void Opredeli_cwqt();
    void Otdelni_Update();
    void Zaredi_shriftowe();
    void Option1_Click(int index);
    void Slider1_Change(int index);
    void List_font_Click(int index);
    void mnu_zapis_Click();
    void mnu_Otkaz_Click();
    void mnu_Danni_Click();

    // The members of the window.
    qint32 Tekusht_cwqt = 0;   // the composed colour
    quint8 Izbor_obekt = 0;    // the colour target being edited, 0..3
    qint32 Cherwena = 0;       // the parts of a colour split by cwetowe_RGB
    qint32 Zelena = 0;
    quint8 Sinq = 0;

    // Controls. Label_Cv: 0..2 the component letters, 3 the colour code,
    // 4 the size caption, 5..8 the captions of the four targets.
    QFrame *picColor = nullptr;
    std::array<QLabel *, 9> Label_Cv{};
    std::array<QSlider *, 3> Slider1{};
    std::array<QLabel *, 3> Label_ST{};
    std::array<QRadioButton *, 4> Option1{};
    std::array<ListBox *, 2> List_font{};
    std::array<TextBox *, 1> Text_Cv{};
    SpokenNotice *Izwestie = nullptr;

    QAction *mnu_zapis = nullptr;
    QAction *mnu_Otkaz = nullptr;
    QAction *mnu_Danni = nullptr;

    void buildControls();
    void buildComponentRows();
    void buildTargetRows();
    void buildFontChoice();
    void buildMenus();
    ItemList &settings() const;
    // The sliders' positions set by the program: the slider handler does not run.
    void placeSliders(int red, int green, int blue);
    void composeColour();

    LessonContext &lesson_;
    ClientArea *client_ = nullptr;
    QButtonGroup *options_ = nullptr;
    bool closing_ = false;
};

} // namespace urok

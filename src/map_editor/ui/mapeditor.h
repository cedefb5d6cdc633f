#pragma once

#include "map_editor/mapdocument.h"
#include "map_editor/ui/eventpanel.h"
#include "map_editor/ui/mapcanvas.h"
#include "projects/module1.h"
#include "shell/form.h"

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;
namespace controls {
class Picture;
}

// A map editor window: the map canvas, the configuration column, the two menus, the tile-set
// frame and the event panel. Each opening makes a new one; the map it holds is its own.
class mapeditor : public Form, public EventPanelHost {
    Q_OBJECT
public:
    mapeditor(Session &session, Mainform &mainform);

    // The load step, run once the window sits in the main window.
    void Form_Load();
    // The openers name the map to load (the Label1 caption), then call loadmap.
    void setMapNumber(const QString &mapNumber);
    void loadmap();
    void savemap();

    // The map number that the last loadmap recorded.
    const QString &Tag() const { return m_tag; }
    mapdoc::MapState &mapState() { return m_state; }
    const MapPainter &painter() const { return m_painter; }
    EventPanel *panel() const { return m_panel; }
    // The window's height with the event panel closed and open.
    int closedHeightTwips() const;
    int openHeightTwips() const;

    // Handlers.
    void CarteImg_MouseDown(int Button, int Shift, float X, float Y);
    void drawmap();
    void Timer1_Timer();
    void Choixtext_Change();
    void Image5_Click();
    void Command9_Click();
    void Command10_Click();
    void Command4_Click();
    void Command6_Click();
    void HScroll1_Change();
    void Command1_Click();
    void Command5_Click();
    void HScroll5_Change();
    void HScroll6_Change();
    void Command11_Click();
    void HScroll2_Change();
    void Command14_Click();

    // EventPanelHost
    QString loadedMap() const override { return m_tag; }
    void setPanelOpen(bool open) override;
    void setCanvasEnabled(bool enabled) override;
    void setHeroMoveArmed(bool armed) override;
    bool heroMoveArmed() const override;

    // Controls, named as the window names them.
    MapCanvas *CarteImg = nullptr;
    QTimer *Timer1 = nullptr;
    QScrollBar *HScroll4 = nullptr;
    QScrollBar *VScroll1 = nullptr;
    QPushButton *Command4 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QPushButton *Command5 = nullptr;
    QPushButton *Command6 = nullptr;
    QGroupBox *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QScrollBar *HScroll1 = nullptr;
    QPushButton *Command1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label10 = nullptr;
    QLabel *Label15 = nullptr;
    QLabel *Label16 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *Command9 = nullptr;
    QPushButton *Command11 = nullptr;
    std::array<QRadioButton *, 3> Option1{};
    QGroupBox *Frame5 = nullptr;
    QScrollBar *Choixtext = nullptr;
    controls::Picture *Image5 = nullptr;
    QPushButton *Command10 = nullptr;
    QScrollBar *HScroll5 = nullptr;
    QScrollBar *HScroll6 = nullptr;
    QGroupBox *Frame4 = nullptr;
    controls::Picture *Image1 = nullptr;
    controls::Picture *Image2 = nullptr;
    controls::Picture *Image3 = nullptr;
    controls::Picture *Image4 = nullptr;
    QScrollBar *HScroll2 = nullptr;
    QPushButton *Command14 = nullptr;

private:
    void setDesignSize();
    void buildControls();
    void buildConfiguration();
    void connectHandlers();
    void setClientHeight(int heightTwips);
    // The brush's range follows the map's tile set: at most its nbimg, and never above 10.
    void applyBrushRange();
    // The map chooser offers the maps that the project counts; none past the first when
    // [Jeu] cartes is no count, as no window lists a map then.
    void applyChooserRange();
    void showBrushPreview();
    void reportNewMap(const mapdoc::NewMap &made);
    void reportNotSaved(const QList<NotSaved> &failures);

    mapdoc::MapState m_state;
    QString m_tag;
    // A refused save has been reported for the loaded map; a save that succeeds, or another
    // load, lets the next refusal be reported again.
    bool m_refusalShown = false;
    // The same for a save that the disk did not take.
    bool m_failureShown = false;
    MapPainter m_painter;
    // The map's tile set as the redraw reads it ten times a second.
    Module1::IniCache m_tileSet;
    EventPanel *m_panel = nullptr;
};

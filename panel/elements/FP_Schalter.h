// The switch and push-button element: one on/off state that the operator
// changes by mouse, keys, wheel, hotkeys or a click on the web page. A push
// button is on only while held. Four looks: a switch picture (eleven types in
// five colour sets, turned in quarter turns), a gradient button with a
// caption, two user pictures, or a plastic lamp switch.
#pragma once

#include "panel/elements/GradBtn.h"
#include "panel/elements/IAgaloLED.h"
#include "panel/framework/FP_Element.h"
#include "panel/framework/IndicatorElements.h"
#include "platform/Canvas.h"

#include <QFont>
#include <QImage>

enum TFarbe : Byte { schwarz = 0, gruen, gelb, rot, blau };
enum TSchalterTyp : Byte {
    Kippschalter = 0, Druckschalter, Wippschalter, Drehschalter, Kippschalter2,
    Wippe1, Wippe2, Wippe3, Wippe4, Drehschalter2, Drucktaster
};

// The button caption's font as Qt draws it.
QFont ButtonQFont(const TFont& font);
// Whether the picture, written as a bitmap file into the record, can be read
// back (the reader refuses pictures beyond a size that only damage gives).
bool FitsSwitchRecord(const QImage& picture);

class TSchalter : public TFP_Element, public ISwitchElement {
    ZK_CLASS(TSchalter, TFP_Element)
public:
    TSchalter();
    ~TSchalter() override;

    enum TLook : Integer { LookPicture = 0, LookButton = 1, LookUser = 2, LookLamp = 3 };

    // ---- ISwitchElement
    bool GetEingeschaltet() override;
    void SetTaster(bool taster) override;

    void SetEingeschaltet(bool on);
    void SetFarbe(TFarbe farbe);
    void SetTyp(TSchalterTyp typ);
    TFarbe Farbe() const { return farbe_; }
    TSchalterTyp Typ() const { return typ_; }
    bool Taster() const { return taster_; }
    // The state without ending a web press (tests, dialogs).
    bool State() const { return state_; }

    bool DefaultState = false;
    QImage OnPicture, OffPicture;
    Byte Turn = 0;              // quarter turns clockwise, 0..3
    Cardinal WebPressTime = 0;  // tick of a web press of a push button; 0 = none
    TGradBtn* Button;           // child of the button look
    TIAgaloLED* Lamp;           // child of the lamp look
    TFont ButtonFont;           // the button's caption font as stored

    Integer Look() const { return look_; }
    // Shows the child of the look and resizes the pictures' element.
    void SetLook(Integer look);
    // The switch pictures for colour, type and turn; sizes the element
    // unless it is sizeable.
    void LoadPictures();
    // The button's font from ButtonFont.
    void ApplyButtonFont();

    // Operator actions.
    void Press();     // left mouse button or key went down
    void Release();   // ... went up
    void HotkeyPressed(THotkey* hotkey) override;
    void HotkeyReleased(THotkey* hotkey) override;
    // Web: code 2 presses (a push button stays on until read after 250 ms).
    void WebAction(Integer code);

    // ---- Element
    void Paint(TCanvas& canvas) override;
    void WriteData(TStream& stream, TWriter& writer) override;
    void ReadData(TStream& stream, TReader& reader, Byte version) override;
    void SetBisteTransparent(bool transparent) override;
    void ResetToDefault() override { SetEingeschaltet(DefaultState); }
    bool GetBisteHSkalierbar() const override;
    bool GetBisteVSkalierbar() const override { return GetBisteHSkalierbar(); }
    void SaveState(TCustomIniFile& file, const AnsiString& prefix) override;
    bool LoadState(TCustomIniFile& file, const AnsiString& prefix, bool checkOnly) override;
    void EditPanelLook() override;
    // The settings dialog; applied on OK only.
    Integer EditProperties() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildActionList();
    void AlignChildren();
    void RefreshTransparentPictures();
    const QImage& Shown(bool on) const;

    bool state_ = false;
    TFarbe farbe_ = schwarz;
    TSchalterTyp typ_ = Kippschalter2;
    bool taster_ = false;
    Integer look_ = LookPicture;
    bool picturesTransparent_ = false;
    QImage onShown_, offShown_;   // the pictures as painted (keyed when transparent)
};

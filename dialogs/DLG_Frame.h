// The frame-and-background dialog of the front-panel elements: transparency,
// inner and outer bevel, bevel and border width, frame and background colour
// (each either the element's own or the front panel's), with a live preview.
#pragma once

#include "dialogs/ModalForm.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class TUCLSpinEdit;

// The look settings of an element that the dialog edits. Bevels: 0 none,
// 1 lowered, 2 raised.
struct TPanelLook {
    bool Transparent = false;
    Integer InnerBevel = 0;
    Integer OuterBevel = 0;
    Integer BevelWidth = 1;
    Integer BorderWidth = 0;
    TColor Color = 0;
    TColor BackgroundColor = 0;
    bool ColorFollowsPanel = false;
    bool BackgroundFollowsPanel = false;
};

class TPanelDlg : public TModalForm {
    Q_OBJECT
public:
    static constexpr Integer HelpContext = 5200;

    // A filled rectangle with an outline, clicked to choose its colour.
    class TShape : public QWidget {
    public:
        explicit TShape(QWidget* parent);
        TColor BrushColor = 0xFFFFFF;
        TColor PenColor = 0;
        bool DottedPen = false;
        std::function<void()> OnMouseUp;
        void SetBrushColor(TColor color);

    protected:
        void paintEvent(QPaintEvent* event) override;
        void mouseReleaseEvent(QMouseEvent* event) override;
    };

    // A panel with the class library's bevels: outer bevel, border in the
    // panel colour, inner bevel.
    class TPreviewPanel : public QWidget {
    public:
        explicit TPreviewPanel(QWidget* parent);
        TColor Color = 0xFFFFFF;
        Integer BevelInner = 0;
        Integer BevelOuter = 0;
        Integer BevelWidth = 1;
        Integer BorderWidth = 0;
        // The client area inside bevels and border.
        QRect InnerRect() const;

    protected:
        void paintEvent(QPaintEvent* event) override;
    };

    TPanelDlg();

    // The front panel's colour, taken by a colour that follows the panel.
    TColor PanelDefaultColor = 0;

    QGroupBox* GroupBox1;
    QLabel* Label3;
    TUCLSpinEdit* se_Border;
    QLabel* Label1;
    QComboBox* cb_Outer;
    QLabel* Label2;
    QComboBox* cb_Inner;
    QLabel* Label4;
    TUCLSpinEdit* se_Bevel;
    QGroupBox* GroupBox2;
    TShape* ColorShape;
    QRadioButton* rb_Individuell;
    QRadioButton* rb_Anpassen;
    QGroupBox* GroupBox3;
    TPreviewPanel* VorschauPanel;
    TShape* VorschauShape;
    QCheckBox* cb_Transparent;
    QGroupBox* GroupBox4;
    TShape* BK_Shape;
    QRadioButton* rb_BK_Individuell;
    QRadioButton* rb_BK_Anpassen;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

    // The element's settings into the controls (a colour that follows the
    // panel shows PanelDefaultColor), and back after OK.
    void LoadLook(const TPanelLook& look);
    void StoreLook(TPanelLook& look) const;

    void Preview();

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void ShapeClicked(TShape* shape, QRadioButton* own);
    void FollowClicked(TShape* shape, QRadioButton* own);
    void TransparentClicked();
};

// The shared instance, created on first use and kept for the program's life.
TPanelDlg& PanelDlg();

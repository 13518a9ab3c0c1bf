#include "dialogs/DLG_Frame.h"

#include "dialogs/ColorChooser.h"
#include "engine/AnsiLiteral.h"
#include "engine/Language.h"
#include "platform/AnsiText.h"
#include "platform/Colors.h"
#include "platform/GdiDraw.h"
#include "platform/HtmlHelp.h"
#include "ui/controls/Frame3D.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

namespace {

QString Q(const char* ansi)
{
    return AnsiToQString(ansi);
}

TUCLSpinEdit* Spin(QWidget* parent, const char* name, int x, int y, Integer min, Integer max)
{
    auto* spin = Place(new TUCLSpinEdit(parent), name, x, y, 57, 21);
    spin->SetMinValue(min);
    spin->SetMaxValue(max);
    return spin;
}

// The colours of a bevel: lowered is dark above and left, raised light.
void BevelColors(Integer bevel, TColor& topLeft, TColor& bottomRight)
{
    topLeft = bevel == 1 ? clBtnShadow : clBtnHighlight;
    bottomRight = bevel == 1 ? clBtnHighlight : clBtnShadow;
}

struct TTexts {
    const char* Caption;
    const char* Frame;
    const char* FrameColour;
    const char* Preview;
    const char* Background;
    const char* Border;
    const char* Outer;
    const char* Inner;
    const char* Bevel;
    const char* Transparent;
    const char* Own;
    const char* Follow;
    const char* OwnBackground;
    const char* FollowBackground;
    const char* Cancel;
    const char* Bevels[3];
};

const TTexts& Texts()
{
    static const TTexts texts[] = {
        {"Rahmen & Hintergrund", "Rand", "Randfarbe", "Vorschau", "Hintergrundfarbe", "Randbreite:",
         "Äusserer Rand:"_ansi, "Innerer Rand:", "Höhe/Tiefe:"_ansi, "&transparent (Rahmen unsichtbar)",
         "&individuelle Farbe:", "an &Frontplatte anpassen", "i&ndividuelle Farbe:", "an F&rontplatte anpassen",
         "&Abbrechen", {"Kein", "Vertiefung", "Erhöhung"_ansi}},
        {"Frame & Background", "Frame", "Frame colour", "Preview", "Background colour", "Frame width:",
         "Outer frame:", "Inner frame:", "Pen width:", "transparent (invisible frame)", "&individual colour:",
         "&match with frontpanel", "&individual colour:", "&match with frontpanel", "&Cancel",
         {"None", "Lowered", "Raised"}},
        {"Cadre & Fond", "Bordure", "Couleur bordure", "Prévision"_ansi, "Couleur fond", "Largeur bordure:",
         "Bordure externe:", "Bordure intérieur:"_ansi, "Pen width:", "&transparent", "&couleur individuellement:",
         "a&dapter avant panneau de contrôle"_ansi, "c&ouleur individuellement:",
         "ada&pter avant panneau de contrôle"_ansi, "&Annuler", {"Aucun", "Enfoncé"_ansi, "Surélevé"_ansi}},
    };
    return texts[LanguageChoice()];
}

}   // namespace

// ---- Shapes and the preview panel -------------------------------------------

TPanelDlg::TShape::TShape(QWidget* parent) : QWidget(parent) {}

void TPanelDlg::TShape::SetBrushColor(TColor color)
{
    BrushColor = color;
    update();
}

void TPanelDlg::TShape::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const TRect r = Rect(0, 0, width(), height());
    FillRect(p, r, BrushColor);
    if (!DottedPen) {
        FrameRect(p, r, PenColor);
        return;
    }
    TRect outline = r;
    Frame3D(p, outline, PenColor, PenColor, 1, true);
}

void TPanelDlg::TShape::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && OnMouseUp && isEnabled())
        OnMouseUp();
}

TPanelDlg::TPreviewPanel::TPreviewPanel(QWidget* parent) : QWidget(parent) {}

QRect TPanelDlg::TPreviewPanel::InnerRect() const
{
    const int inset = BorderWidth + (BevelOuter != 0 ? BevelWidth : 0) + (BevelInner != 0 ? BevelWidth : 0);
    return rect().adjusted(inset, inset, -inset, -inset);
}

void TPanelDlg::TPreviewPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    TRect r = Rect(0, 0, width(), height());
    TColor topLeft, bottomRight;
    if (BevelOuter != 0) {
        BevelColors(BevelOuter, topLeft, bottomRight);
        Frame3D(p, r, topLeft, bottomRight, BevelWidth);
    }
    Frame3D(p, r, Color, Color, BorderWidth);
    if (BevelInner != 0) {
        BevelColors(BevelInner, topLeft, bottomRight);
        Frame3D(p, r, topLeft, bottomRight, BevelWidth);
    }
    FillRect(p, r, Color);
}

// ---- The dialog ------------------------------------------------------------------

TPanelDlg::TPanelDlg()
{
    setObjectName("PanelDlg");
    SetFormFont(*this, "MS Sans Serif", -11);
    setFixedSize(471, 250);
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    const TTexts& t = Texts();
    SetCaption(t.Caption);

    GroupBox1 = Place(new QGroupBox(Q(t.Frame), this), "GroupBox1", 8, 8, 225, 129);
    Label3 = Place(new QLabel(Q(t.Border), GroupBox1), "Label3", 10, 24, 110, 13);
    se_Border = Spin(GroupBox1, "se_Border", 124, 20, 0, 20);
    Label1 = Place(new QLabel(Q(t.Outer), GroupBox1), "Label1", 10, 50, 110, 13);
    cb_Outer = Place(new QComboBox(GroupBox1), "cb_Outer", 124, 46, 93, 21);
    Label2 = Place(new QLabel(Q(t.Inner), GroupBox1), "Label2", 10, 76, 110, 13);
    cb_Inner = Place(new QComboBox(GroupBox1), "cb_Inner", 124, 72, 93, 21);
    Label4 = Place(new QLabel(Q(t.Bevel), GroupBox1), "Label4", 10, 102, 110, 13);
    se_Bevel = Spin(GroupBox1, "se_Bevel", 124, 98, 1, 20);
    for (QComboBox* list : {cb_Outer, cb_Inner})
        for (const char* item : t.Bevels)
            list->addItem(Q(item));

    GroupBox2 = Place(new QGroupBox(Q(t.FrameColour), this), "GroupBox2", 8, 144, 225, 65);
    rb_Individuell = Place(new QRadioButton(Q(t.Own), GroupBox2), "rb_Individuell", 10, 18, 150, 17);
    ColorShape = Place(new TShape(GroupBox2), "ColorShape", 168, 16, 41, 21);
    rb_Anpassen = Place(new QRadioButton(Q(t.Follow), GroupBox2), "rb_Anpassen", 10, 40, 205, 17);

    GroupBox3 = Place(new QGroupBox(Q(t.Preview), this), "GroupBox3", 240, 8, 223, 97);
    VorschauPanel = Place(new TPreviewPanel(GroupBox3), "VorschauPanel", 51, 24, 121, 49);
    VorschauShape = new TShape(VorschauPanel);
    VorschauShape->setObjectName("VorschauShape");
    VorschauShape->PenColor = clGray;
    VorschauShape->DottedPen = true;
    // Outside the preview group: disabling the groups must not take the box
    // itself, or it could not be unchecked again.
    cb_Transparent = Place(new QCheckBox(Q(t.Transparent), this), "cb_Transparent", 250, 114, 205, 17);

    GroupBox4 = Place(new QGroupBox(Q(t.Background), this), "GroupBox4", 240, 144, 223, 65);
    rb_BK_Individuell = Place(new QRadioButton(Q(t.OwnBackground), GroupBox4), "rb_BK_Individuell", 10, 18, 150, 17);
    BK_Shape = Place(new TShape(GroupBox4), "BK_Shape", 168, 16, 41, 21);
    rb_BK_Anpassen = Place(new QRadioButton(Q(t.FollowBackground), GroupBox4), "rb_BK_Anpassen", 10, 40, 205, 17);

    OKBtn = Place(new QPushButton("&OK", this), "OKBtn", 304, 218, 75, 25);
    OKBtn->setDefault(true);
    SetModalResult(OKBtn, mrOk);
    CancelBtn = Place(new QPushButton(Q(t.Cancel), this), "CancelBtn", 388, 218, 75, 25);
    SetModalResult(CancelBtn, mrCancel);

    for (TUCLSpinEdit* spin : {se_Border, se_Bevel})
        spin->OnChange = [this](TPersistent*) { Preview(); };
    for (QComboBox* list : {cb_Outer, cb_Inner})
        connect(list, &QComboBox::currentIndexChanged, this, [this] { Preview(); });
    ColorShape->OnMouseUp = [this] { ShapeClicked(ColorShape, rb_Individuell); };
    BK_Shape->OnMouseUp = [this] { ShapeClicked(BK_Shape, rb_BK_Individuell); };
    for (QRadioButton* rb : {rb_Individuell, rb_Anpassen})
        connect(rb, &QRadioButton::clicked, this, [this] { FollowClicked(ColorShape, rb_Individuell); });
    for (QRadioButton* rb : {rb_BK_Individuell, rb_BK_Anpassen})
        connect(rb, &QRadioButton::clicked, this, [this] { FollowClicked(BK_Shape, rb_BK_Individuell); });
    connect(cb_Transparent, &QCheckBox::clicked, this, [this] { TransparentClicked(); });
}

// Setting a check box or radio button here runs its click action, as the
// class library does when a form sets Checked.
void TPanelDlg::LoadLook(const TPanelLook& look)
{
    cb_Transparent->setChecked(look.Transparent);
    TransparentClicked();
    cb_Inner->setCurrentIndex(std::clamp(look.InnerBevel, 0, 2));
    cb_Outer->setCurrentIndex(std::clamp(look.OuterBevel, 0, 2));
    se_Border->SetValue(look.BorderWidth);
    se_Bevel->SetValue(look.BevelWidth);
    ColorShape->SetBrushColor(look.Color);
    BK_Shape->SetBrushColor(look.BackgroundColor);
    (look.ColorFollowsPanel ? rb_Anpassen : rb_Individuell)->setChecked(true);
    FollowClicked(ColorShape, rb_Individuell);
    (look.BackgroundFollowsPanel ? rb_BK_Anpassen : rb_BK_Individuell)->setChecked(true);
    FollowClicked(BK_Shape, rb_BK_Individuell);
}

void TPanelDlg::StoreLook(TPanelLook& look) const
{
    auto value = [](TUCLSpinEdit* spin) { return std::clamp(spin->Value(), spin->MinValue(), spin->MaxValue()); };
    look.Transparent = cb_Transparent->isChecked();
    look.InnerBevel = cb_Inner->currentIndex();
    look.OuterBevel = cb_Outer->currentIndex();
    look.BorderWidth = value(se_Border);
    look.BevelWidth = value(se_Bevel);
    look.BackgroundFollowsPanel = rb_BK_Anpassen->isChecked();
    look.BackgroundColor = BK_Shape->BrushColor;
    look.ColorFollowsPanel = rb_Anpassen->isChecked();
    look.Color = ColorShape->BrushColor;
}

void TPanelDlg::Preview()
{
    VorschauPanel->setVisible(!cb_Transparent->isChecked());
    VorschauPanel->Color = ColorShape->BrushColor;
    VorschauPanel->BevelInner = cb_Inner->currentIndex();
    VorschauPanel->BevelOuter = cb_Outer->currentIndex();
    VorschauPanel->BevelWidth = se_Bevel->Value();
    VorschauPanel->BorderWidth = se_Border->Value();
    VorschauPanel->update();
    VorschauShape->setGeometry(VorschauPanel->InnerRect());
    VorschauShape->SetBrushColor(BK_Shape->BrushColor);
}

void TPanelDlg::ShapeClicked(TShape* shape, QRadioButton* own)
{
    own->setFocus();
    own->setChecked(true);
    shape->SetBrushColor(ChooseColor(shape->BrushColor));
    Preview();
}

void TPanelDlg::FollowClicked(TShape* shape, QRadioButton* own)
{
    if (!own->isChecked())
        shape->SetBrushColor(PanelDefaultColor);
    Preview();
}

void TPanelDlg::TransparentClicked()
{
    const bool enabled = !cb_Transparent->isChecked();
    const std::initializer_list<QWidget*> settings = {
        GroupBox1, GroupBox2,      GroupBox3,   GroupBox4,         se_Border,      se_Bevel,   cb_Outer,
        cb_Inner,  rb_Individuell, rb_Anpassen, rb_BK_Individuell, rb_BK_Anpassen, ColorShape, BK_Shape};
    for (QWidget* w : settings)
        w->setEnabled(enabled);
    Preview();
}

void TPanelDlg::showEvent(QShowEvent* event)
{
    Preview();
    TModalForm::showEvent(event);
}

bool TPanelDlg::event(QEvent* event)
{
    if (ShowHelpOnHelpButton(event, HelpContext))
        return true;
    return TModalForm::event(event);
}

TPanelDlg& PanelDlg()
{
    static TPanelDlg* dialog = new TPanelDlg;
    return *dialog;
}

#include "panel/elements/DLG_Schalter_Taster.h"

#include "dialogs/ColorChooser.h"
#include "dialogs/DLG_Default.h"
#include "dialogs/PropEditors.h"
#include "dialogs/Props.h"
#include "engine/Globals.h"
#include "engine/Hotkey.h"
#include "engine/Language.h"
#include "panel/elements/FP_Schalter.h"
#include "panel/elements/GradBtn.h"
#include "panel/elements/IAgaloLED.h"
#include "panel/elements/SwitchPictures.h"
#include "platform/AnsiText.h"
#include "platform/Colors.h"
#include "platform/Dialogs.h"
#include "platform/HtmlHelp.h"
#include "ui/controls/UCLFontPickers.h"
#include "ui/controls/UCLSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace {

QString L(const char* de, const char* en, const char* fr)
{
    return QString::fromUtf8(ByLanguage(de, en, fr));
}

QString T(const AnsiString& german)
{
    return AnsiToQString(Translate(german));
}

struct TText3 {
    const char* De;
    const char* En;
    const char* Fr;
    QString Text() const { return L(De, En, Fr); }
};

constexpr TText3 LookTexts[] = {
    {"Schalter / Taster", "Switch / Push button", "Interrupteur / Bouton-poussoir"},
    {"Schaltfläche", "Active area", "Zone active"},
    {"Benutzerdefinierte Bitmap", "User-defined bitmap", "Avec image personnalisée"},
    {"Plastiklampenschalter", "Plastic lamp switch", "Interrupteur avec lampe plastique"},
};

constexpr TText3 TypeTexts[] = {
    {"Kippschalter I", "Flip switch I", "Modèle à levier - 1"},
    {"Druckschalter", "Button switch", "Modèle à poussoir carré"},
    {"Wippschalter", "Bob switch", "Modèle à bascule"},
    {"Drehschalter I", "Rotary switch I", "Modèle rotatif - 1"},
    {"Kippschalter II", "Flip switch II", "Modèle à levier - 2"},
    {"Wippschalter ein/aus", "Bob switch on/off", "Modèle à bascule on/off"},
    {"Wippschalter einfach", "Bob switch simple", "Modèle à bascule simple"},
    {"Wippschalter mit Beleuchtung I", "Bob switch with illumination I", "Modèle à bascule avec éclairage - 1"},
    {"Wippschalter mit Beleuchtung II", "Bob switch with illumination II", "Modèle à bascule avec éclairage - 2"},
    {"Drehschalter II", "Rotary switch II", "Modèle rotatif - 2"},
    {"Drucktaster", "Push button", "Modèle à poussoir rond"},
};

constexpr TText3 ColourTexts[] = {
    {"schwarz/weiß", "Black / White", "Noir / Blanc"},
    {"grün", "Green", "Vert"},
    {"gelb", "Yellow", "Jaune"},
    {"rot", "Red", "Rouge"},
    {"blau", "Blue", "Bleu"},
};

constexpr TText3 ShapeTexts[] = {
    {"Rechteck", "Rectangle", "Rectangle"}, {"Kreis", "Circle", "Cercle"},
    {"Halbkreis", "Semicircle", "Demi-cercle"}, {"Dreieck", "Triangle", "Triangle"},
    {"Trapez", "Trapezium", "Trapèze"},       {"Raute", "Rhomb", "Losange"},
};
// The lamp shape of each entry of the shape list.
constexpr TIALedClass ShapeOfEntry[] = {ialcRect, ialcRound, ialcHalfCircle, ialcTriangle, ialcTrapezium, ialcRomb};

constexpr int MaxRim = 8;

// A circular arrow for the turn buttons.
QIcon TurnGlyph(bool clockwise, const QColor& colour)
{
    const int size = 20;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPen pen(colour, 2.0, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    const QRectF circle(4, 4, 12, 12);
    // A five-sixths arc with the arrow at its end; Qt counts angles
    // counter-clockwise from 3 o'clock, so a clockwise arc has a negative span.
    const int start = clockwise ? 120 : 60;
    const int span = clockwise ? -300 : 300;
    p.drawArc(circle, start * 16, span * 16);
    const double end = (start + span) * M_PI / 180.0;
    const QPointF tip(10 + 6 * std::cos(end), 10 - 6 * std::sin(end));
    // The tangent at the end, in the direction of travel.
    const double dir = end + (span > 0 ? M_PI / 2 : -M_PI / 2);
    const QPointF forward(std::cos(dir), -std::sin(dir));
    const QPointF side(-forward.y(), forward.x());
    QPainterPath head;
    head.moveTo(tip + forward * 3.5);
    head.lineTo(tip - forward * 2.5 + side * 3.5);
    head.lineTo(tip - forward * 2.5 - side * 3.5);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(head);
    return QIcon(pixmap);
}

QToolButton* TurnButton(QWidget* parent, const char* name, bool clockwise)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(TurnGlyph(clockwise, QColor(0x20, 0x40, 0x80)));
    button->setIconSize(QSize(20, 20));
    button->setToolTip(clockwise ? L("Um 90° nach rechts drehen", "Turn 90° clockwise", "Tourner de 90° à droite")
                                 : L("Um 90° nach links drehen", "Turn 90° anticlockwise", "Tourner de 90° à gauche"));
    return button;
}

QToolButton* StyleButton(QWidget* parent, const char* name, const char* letter, int tag)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(letter);
    button->setCheckable(true);
    button->setProperty("tag", tag);
    QFont f = button->font();
    f.setBold(tag == 1);
    f.setItalic(tag == 2);
    f.setUnderline(tag == 3);
    f.setStrikeOut(tag == 4);
    button->setFont(f);
    return button;
}

// A sunken panel that shows a picture in its middle.
QWidget* PreviewFrame(QWidget* parent, const char* name)
{
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    frame->setAutoFillBackground(true);
    return frame;
}

QLabel* Label(QWidget* parent, const QString& text, int x, int y, int w, int h = 17)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, w, h);
    return label;
}

// The picture centred in the frame; reduced to fit when larger.
void ShowCentred(QLabel* image, const QImage& picture, bool transparent, bool half)
{
    QWidget* frame = image->parentWidget();
    const QSize room = frame->size() - QSize(8, 8);
    QImage shown = transparent ? KeyedTransparent(picture) : picture;
    QSize size = shown.size();
    if (half)
        size = QSize(std::max(1, size.width() / 2), std::max(1, size.height() / 2));
    if (size.width() > room.width() || size.height() > room.height())
        size = size.scaled(room, Qt::KeepAspectRatio);
    if (shown.isNull()) {
        image->clear();
        image->hide();
        return;
    }
    if (size != shown.size())
        shown = shown.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image->setPixmap(QPixmap::fromImage(shown));
    image->setGeometry((frame->width() - size.width()) / 2, (frame->height() - size.height()) / 2, size.width(),
                       size.height());
    image->show();
}

void Turn(QImage& picture, Byte turn)
{
    switch (turn & 3) {
    case 1: RotateBitmap90Right(picture); break;
    case 2: RotateBitmap180(picture); break;
    case 3: RotateBitmap90Left(picture); break;
    default: break;
    }
}

} // namespace

TSchalterDlg::TSchalterDlg(QWidget* parent) : TModalForm(parent)
{
    setObjectName("SchalterDlg");
    SetFormFont(*this, "MS Sans Serif", -11);
    setWindowTitle(L("Schalter / Taster", "Switch / Push button", "Interrupteur / Bouton-poussoir"));
    if (!RunOnlyMode)
        setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    const QString properties = L("Eigenschaften", "Properties", "Propriétés");
    const QString preview = L("Vorschau", "Preview", "Vue préliminaire");

    // ---- Look and default state
    GroupBox1 = Place(new QGroupBox(L("Darstellung", "Representation", "Représentation"), this), "GroupBox1", 8, 6,
                      300, 52);
    TypCombo = Place(new QComboBox(GroupBox1), "TypCombo", 10, 20, 280, 22);
    for (const TText3& t : LookTexts)
        TypCombo->addItem(t.Text());
    DefaultBox = Place(new QGroupBox(L("Default", "Default", "Par défaut"), this), "DefaultBox", 316, 6, 176, 52);
    RB_DefOn = Place(new QRadioButton("O&N", DefaultBox), "RB_DefOn", 12, 22, 70, 20);
    RB_DefOff = Place(new QRadioButton("O&FF", DefaultBox), "RB_DefOff", 92, 22, 76, 20);
    RB_DefOff->setChecked(true);

    // The type list shows all eleven entries at once; the look groups take
    // its height.
    auto* probe = new QListWidget(this);
    probe->addItem("Xg");
    const int rowHeight = std::max(probe->sizeHintForRow(0), 12);
    delete probe;
    const int frame = 2;
    const int typeListHeight = SwitchTypeCount * rowHeight + 2 * frame;
    const int colourListHeight = SwitchColourCount * rowHeight + 2 * frame;
    const int lookHeight = std::max(36 + typeListHeight + 10, 206);
    const QRect lookArea(8, 64, 484, lookHeight);
    const int inner = lookHeight - 26;   // the height of a group inside a look group
    const int contentBottom = 36 + typeListHeight;

    // ---- Look 0: the switch pictures
    GB_Bitmap = Place(new QGroupBox(properties, this), "GB_Bitmap", lookArea.x(), lookArea.y(), lookArea.width(),
                      lookArea.height());
    Label(GB_Bitmap, L("Modell:", "Model:", "Modèle:"), 10, 18, 220);
    Typ = Place(new QListWidget(GB_Bitmap), "Typ", 10, 36, 226, typeListHeight);
    for (const TText3& t : TypeTexts)
        Typ->addItem(t.Text());
    Label(GB_Bitmap, L("Farbe:", "Colour:", "Couleur:"), 244, 18, 104);
    Farbe = Place(new QListWidget(GB_Bitmap), "Farbe", 244, 36, 104, colourListHeight);
    for (const TText3& t : ColourTexts)
        Farbe->addItem(t.Text());
    for (QListWidget* list : {Typ, Farbe}) {
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    Label(GB_Bitmap, preview, 356, 18, 118);
    VorschauPanel = Place(PreviewFrame(GB_Bitmap, "VorschauPanel"), "VorschauPanel", 356, 36, 118,
                          contentBottom - 36 - 36);
    Image1 = Place(new QLabel(VorschauPanel), "Image1", 0, 0, 1, 1);
    BitBtn1 = Place(TurnButton(GB_Bitmap, "BitBtn1", false), "BitBtn1", 374, contentBottom - 30, 36, 30);
    BitBtn2 = Place(TurnButton(GB_Bitmap, "BitBtn2", true), "BitBtn2", 420, contentBottom - 30, 36, 30);

    // ---- Look 1: the button area
    GB_Button = Place(new QGroupBox(properties, this), "GB_Button", lookArea.x(), lookArea.y(), lookArea.width(),
                      lookArea.height());
    GroupBox3 = Place(new QGroupBox(L("Beschriftung", "Inscription", "Inscription"), GB_Button), "GroupBox3", 10, 16,
                      300, 112);
    Label(GroupBox3, L("Text:", "Text:", "Texte:"), 10, 24, 60);
    Text = Place(new QLineEdit(GroupBox3), "Text", 74, 20, 216, 22);
    Label(GroupBox3, L("Schrift:", "Font:", "Police:"), 10, 52, 60);
    cbFontName = Place(new TUCLFontComboBox(GroupBox3), "cbFontName", 74, 48, 158, 22);
    cbFontName->ShowExample = true;
    cbFontName->ExampleText = "Abc";
    cbFontName->setMaxVisibleItems(30);
    cbFontSize = Place(new TUCLFontSizeComboBox(GroupBox3), "cbFontSize", 238, 48, 52, 22);
    cbFontSize->SetFontCombo(cbFontName);
    cbFontSize->setMaxVisibleItems(20);
    Label(GroupBox3, L("Stil:", "Style:", "Style:"), 10, 80, 60);
    BoldBtn = Place(StyleButton(GroupBox3, "BoldBtn", "B", 1), "BoldBtn", 74, 77, 22, 22);
    ItalicBtn = Place(StyleButton(GroupBox3, "ItalicBtn", "I", 2), "ItalicBtn", 97, 77, 22, 22);
    UnderlineBtn = Place(StyleButton(GroupBox3, "UnderlineBtn", "U", 3), "UnderlineBtn", 120, 77, 22, 22);
    StrikeoutBtn = Place(StyleButton(GroupBox3, "StrikeoutBtn", "S", 4), "StrikeoutBtn", 143, 77, 22, 22);
    cbFontFX = Place(new QComboBox(GroupBox3), "cbFontFX", 171, 77, 93, 22);
    for (const char* term : {"Kein", "Erhöhung", "Vertiefung"})
        cbFontFX->addItem(T(QStringToAnsi(QString::fromUtf8(term))));
    cbFontFX->setToolTip(L("Schrifteffekt", "Text effect", "Effet du texte"));
    FontColShape = Place(new TShape(GroupBox3), "FontColShape", 268, 77, 22, 22);
    FontColShape->setToolTip(L("Schriftfarbe", "Font colour", "Couleur de police"));

    GroupBox2 = Place(new QGroupBox(L("Farbverlauf", "Colour", "Couleur"), GB_Button), "GroupBox2", 10, 134, 300,
                      inner - 118);
    VonColShape = Place(new TShape(GroupBox2), "VonColShape", 10, 22, 40, 22);
    VonColShape->setToolTip(L("Anfangsfarbe", "Start colour", "Couleur de début"));
    cbVerlauf = Place(new QComboBox(GroupBox2), "cbVerlauf", 58, 22, 184, 22);
    cbVerlauf->addItem(T("Horizontal"));
    cbVerlauf->addItem(T("Vertikal"));
    bisColShape = Place(new TShape(GroupBox2), "bisColShape", 250, 22, 40, 22);
    bisColShape->setToolTip(L("Endfarbe", "End colour", "Couleur de fin"));

    GroupBox5 = Place(new QGroupBox(preview, GB_Button), "GroupBox5", 318, 16, 156, inner);
    GradBtn1 = Place(new TGradBtn(GroupBox5), "GradBtn1", 18, (inner - 40) / 2 + 6, 120, 40);
    GradBtn1->SetSwapColors(false);
    GradBtn1->SetShowFocus(false);
    GradBtn1->BisteKnopf = true;   // a picture of the button: it does not press
    GradBtn1->setFocusPolicy(Qt::NoFocus);

    // ---- Look 2: user pictures
    GB_Btmap3 = Place(new QGroupBox(properties, this), "GB_Btmap3", lookArea.x(), lookArea.y(), lookArea.width(),
                      lookArea.height());
    BitBtn3 = Place(new QPushButton(L("Bitmap für &ausgeschalteten Zustand laden...", "Load bitmap for OFF status",
                                      "Charger image pour état OFF"),
                                    GB_Btmap3),
                    "BitBtn3", 10, 36, 270, 28);
    BitBtn3->setProperty("tag", 0);
    BitBtn4 = Place(new QPushButton(L("Bitmap für &eingeschalteten Zustand laden...", "Load bitmap for ON status",
                                      "Charger image pour état ON"),
                                    GB_Btmap3),
                    "BitBtn4", 10, 70, 270, 28);
    BitBtn4->setProperty("tag", 1);
    cb_Transparent = Place(new QCheckBox(L("&transparent", "&Transparent", "&Transparent"), GB_Btmap3),
                           "cb_Transparent", 12, 110, 260, 20);
    Label(GB_Btmap3, preview, 290, 18, 184);
    Panel1 = Place(PreviewFrame(GB_Btmap3, "Panel1"), "Panel1", 290, 36, 184, contentBottom - 36 - 36);
    Image2 = Place(new QLabel(Panel1), "Image2", 0, 0, 1, 1);
    BitBtn5 = Place(TurnButton(GB_Btmap3, "BitBtn5", false), "BitBtn5", 336, contentBottom - 30, 36, 30);
    BitBtn5->setProperty("tag", 0);
    BitBtn6 = Place(TurnButton(GB_Btmap3, "BitBtn6", true), "BitBtn6", 392, contentBottom - 30, 36, 30);
    BitBtn6->setProperty("tag", 1);

    // ---- Look 3: the plastic lamp switch
    GB_Plastik = Place(new QGroupBox(properties, this), "GB_Plastik", lookArea.x(), lookArea.y(), lookArea.width(),
                       lookArea.height());
    GroupBox7 = Place(new QGroupBox(L("Design", "Design", "Apparence"), GB_Plastik), "GroupBox7", 10, 16, 240, inner);
    const int rowStep = std::min(34, (inner - 30) / 4);
    const int row0 = 24 + (inner - 24 - 4 * rowStep) / 2;
    Label(GroupBox7, L("Farbe:", "Colour:", "Couleur:"), 12, row0 + 4, 100)->setObjectName("Label1");
    PlastikColShape = Place(new TShape(GroupBox7), "PlastikColShape", 118, row0, 40, 22);
    Label(GroupBox7, L("Form:", "Shape:", "Forme:"), 12, row0 + rowStep + 4, 100)->setObjectName("Label6");
    CB_Form = Place(new QComboBox(GroupBox7), "CB_Form", 118, row0 + rowStep, 110, 22);
    for (const TText3& t : ShapeTexts)
        CB_Form->addItem(t.Text());
    Label(GroupBox7, L("Winkel:", "Angle:", "Angle:"), 12, row0 + 2 * rowStep + 4, 100)->setObjectName("Label7");
    cbWinkel = Place(new QComboBox(GroupBox7), "cbWinkel", 118, row0 + 2 * rowStep, 110, 22);
    for (const char* angle : {"0°", "90°", "180°", "270°"})
        cbWinkel->addItem(QString::fromUtf8(angle));
    Label(GroupBox7, L("Randstärke:", "Borderwidth:", "Bordure:"), 12, row0 + 3 * rowStep + 4, 100)
        ->setObjectName("Label2");
    SE_Rand = Place(new TUCLSpinEdit(GroupBox7), "SE_Rand", 118, row0 + 3 * rowStep, 60, 22);
    SE_Rand->SetMinValue(0);
    SE_Rand->SetMaxValue(MaxRim);
    SE_Rand->SetValue(2);
    GroupBox8 = Place(new QGroupBox(preview, GB_Plastik), "GroupBox8", 258, 16, 216, inner);
    Lampe = new TIAgaloLED(GroupBox8);
    Lampe->setObjectName("Lampe");
    Lampe->SetBounds(QRect((216 - LampWidth) / 2, (inner - LampHeight) / 2 + 6, LampWidth, LampHeight));
    Lampe->SetLedOn(true);
    Lampe->SetOuterBorderStyle(iablsUp);

    // ---- Hint, options and buttons
    const int hintTop = lookArea.bottom() + 7;
    GB_Hint = Place(new QGroupBox(L("Hinweistext", "Hint", "Commentaire"), this), "GB_Hint", 8, hintTop, 484, 52);
    HintEdit = Place(new QLineEdit(GB_Hint), "HintEdit", 10, 20, 464, 22);
    const int buttonTop = hintTop + 60;
    cb_Editierbar = Place(new QCheckBox(L("Eigenschaften zur Laufzeit einstellbar", "&Editable at run-time",
                                          "&Modifiable en mode-RUN"),
                                        this),
                          "cb_Editierbar", 8, buttonTop, 260, 20);
    cb_Editierbar->hide();
    HotBtn = Place(new QPushButton(L("&Hotkeys...", "&Hotkeys...", "&Raccourcis..."), this), "HotBtn", 8, buttonTop,
                   100, 26);
    Button1 = Place(new QPushButton("&OK", this), "Button1", 332, buttonTop, 76, 26);
    Button1->setDefault(true);
    SetModalResult(Button1, mrOk);
    Button2 = Place(new QPushButton(L("A&bbrechen", "&Cancel", "&Annuler"), this), "Button2", 416, buttonTop, 76, 26);
    SetModalResult(Button2, mrCancel);
    setFixedSize(500, buttonTop + 26 + 8);

    VorschauTimer = new QTimer(this);
    VorschauTimer->setObjectName("VorschauTimer");
    VorschauTimer->setInterval(BlinkMilliseconds);

    // ---- Events
    connect(TypCombo, &QComboBox::currentIndexChanged, this, [this] { TypComboChange(); });
    connect(Typ, &QListWidget::currentRowChanged, this, [this] { ShowPicturePreview(); });
    connect(Farbe, &QListWidget::currentRowChanged, this, [this] { ShowPicturePreview(); });
    connect(BitBtn1, &QToolButton::clicked, this, [this] { BitBtn1Click(); });
    connect(BitBtn2, &QToolButton::clicked, this, [this] { BitBtn2Click(); });
    connect(VorschauTimer, &QTimer::timeout, this, [this] { VorschauTimerTimer(); });

    connect(Text, &QLineEdit::textChanged, this, [this] { UpdateGradBtn(); });
    VonColShape->OnMouseUp = [this] { ChooseShapeColor(VonColShape); };
    bisColShape->OnMouseUp = [this] { ChooseShapeColor(bisColShape); };
    FontColShape->OnMouseUp = [this] { ChooseShapeColor(FontColShape); };
    connect(cbVerlauf, &QComboBox::currentIndexChanged, this, [this] { UpdateGradBtn(); });
    connect(cbFontFX, &QComboBox::currentIndexChanged, this, [this] { UpdateGradBtn(); });
    cbFontName->OnChange = [this](TPersistent*) { FontNameChanged(); };
    connect(cbFontName, &QComboBox::currentIndexChanged, this, [this] { FontNameChanged(); });
    // A typed size arrives through the text, a chosen one through both.
    cbFontSize->OnChange = [this](TPersistent*) { FontSizeChanged(); };
    connect(cbFontSize, &QComboBox::currentTextChanged, this, [this] { FontSizeChanged(); });
    for (QToolButton* button : {BoldBtn, ItalicBtn, UnderlineBtn, StrikeoutBtn})
        connect(button, &QToolButton::toggled, this, [this, button](bool down) {
            const Byte bit = Byte(1u << (button->property("tag").toInt() - 1));
            PreviewFont.Style = down ? Byte(PreviewFont.Style | bit) : Byte(PreviewFont.Style & ~bit);
            UpdateGradBtn();
        });

    for (QPushButton* button : {BitBtn3, BitBtn4})
        connect(button, &QPushButton::clicked, this,
                [this, button] { LoadUserPicture(button->property("tag").toInt()); });
    connect(BitBtn5, &QToolButton::clicked, this, [this] { TurnUserPictures(false); });
    connect(BitBtn6, &QToolButton::clicked, this, [this] { TurnUserPictures(true); });
    connect(cb_Transparent, &QCheckBox::toggled, this, [this] { ShowUserPreview(); });

    PlastikColShape->OnMouseUp = [this] { ChooseShapeColor(PlastikColShape); };
    connect(CB_Form, &QComboBox::currentIndexChanged, this, [this] { UpdateLamp(); });
    connect(cbWinkel, &QComboBox::currentIndexChanged, this, [this] { UpdateLamp(); });
    SE_Rand->OnChange = [this](TPersistent*) { UpdateLamp(); };

    connect(HotBtn, &QPushButton::clicked, this, [this] { HotBtnClick(); });

    TypCombo->setCurrentIndex(0);
    TypComboChange();
}

TSchalterDlg::~TSchalterDlg() = default;

Integer TSchalterDlg::Look() const
{
    return std::clamp(TypCombo->currentIndex(), 0, 3);
}

// ---- Filling and taking back

void TSchalterDlg::FillFrom(TSchalter& element)
{
    filling_ = true;
    pushButton_ = element.Taster();
    TypCombo->setCurrentIndex(element.Look());
    if (!element.Hint().empty())
        SetCaption(element.Hint());

    // The button's colours at rest: while it shows on, they are swapped.
    TGradBtn& button = *element.Button;
    const bool swapped = button.Down();
    const TColor begin = swapped ? button.EndColor() : button.BeginColor();
    const TColor end = swapped ? button.BeginColor() : button.EndColor();
    Text->setText(button.Caption());
    VonColShape->SetBrushColor(begin);
    bisColShape->SetBrushColor(end);
    cbVerlauf->setCurrentIndex(button.GradientStyle() == gsVertical ? 1 : 0);
    GradBtn1->SetTextStyle(button.TextStyle());
    PreviewFont = element.ButtonFont;

    Typ->setCurrentRow(element.Typ());
    Farbe->setCurrentRow(element.Farbe());
    Turn = element.Turn & 3;
    UserOnPicture = element.OnPicture.copy();
    UserOffPicture = element.OffPicture.copy();
    cb_Transparent->setChecked(element.GetBisteTransparent());

    TIAgaloLED& lamp = *element.Lamp;
    Lampe->SetLedPlasticColor(lamp.LedPlasticColor());
    Lampe->SetLedClass(lamp.LedClass());
    Lampe->SetAngle(lamp.Angle());
    Lampe->SetOuterBorderDepth(std::clamp(lamp.OuterBorderDepth(), 0, MaxRim));
    Lampe->SetOuterBorderStyle(lamp.OuterBorderStyle());
    PlaceLamp();
    LampControlsFromLamp();

    HintEdit->setText(AnsiToQString(element.Hint()));
    if (pushButton_) {
        RB_DefOff->setChecked(true);
        for (QWidget* w : {static_cast<QWidget*>(DefaultBox), static_cast<QWidget*>(RB_DefOn),
                           static_cast<QWidget*>(RB_DefOff)})
            w->setEnabled(false);
    } else {
        (element.DefaultState ? RB_DefOn : RB_DefOff)->setChecked(true);
    }
    cb_Editierbar->setChecked(element.RuntimeAdjustable);
    cb_Editierbar->hide();
    Hotkeys = &element.Hotkeys;
    HotkeyActions = element.ExtraList;
    filling_ = false;

    // The font controls first: the preview button is built from them.
    FontControlsFromPreview();
    TypComboChange();
}

void TSchalterDlg::ApplyTo(TSchalter& element) const
{
    element.RuntimeAdjustable = cb_Editierbar->isChecked();
    element.SetHint(QStringToAnsi(HintEdit->text()));
    const Integer look = Look();
    switch (look) {
    case TSchalter::LookPicture: {
        element.Turn = Turn & 3;
        element.SetFarbe(TFarbe(std::clamp(Farbe->currentRow(), 0, SwitchColourCount - 1)));
        element.SetTyp(TSchalterTyp(std::clamp(Typ->currentRow(), 0, SwitchTypeCount - 1)));
        element.SetLook(look);
        break;
    }
    case TSchalter::LookButton: {
        TGradBtn& button = *element.Button;
        // Colours are set at rest; the state below presses the button again.
        if (button.Down())
            button.SetDown(false);
        button.SetCaption(Text->text());
        button.SetBeginColor(VonColShape->BrushColor);
        button.SetEndColor(bisColShape->BrushColor);
        button.SetTxtHiliteClr(VonColShape->BrushColor);
        button.SetTxtShadowClr(bisColShape->BrushColor);
        button.SetGradientStyle(cbVerlauf->currentIndex() == 1 ? gsVertical : gsHorizontal);
        button.SetTextStyle(GradBtn1->TextStyle());
        element.ButtonFont = PreviewFont;
        element.ApplyButtonFont();
        element.SetLook(look);
        break;
    }
    case TSchalter::LookUser:
        element.SetLook(look);
        element.OffPicture = UserOffPicture;
        element.OnPicture = UserOnPicture;
        element.SetBisteTransparent(cb_Transparent->isChecked());
        break;
    default: {
        TIAgaloLED& lamp = *element.Lamp;
        lamp.SetLedPlasticColor(Lampe->LedPlasticColor());
        lamp.SetLedClass(Lampe->LedClass());
        lamp.SetAngle(Lampe->Angle());
        lamp.SetOuterBorderDepth(Lampe->OuterBorderDepth());
        element.SetLook(look);
        break;
    }
    }
    element.DefaultState = !pushButton_ && RB_DefOn->isChecked();
    element.SetEingeschaltet(element.DefaultState);
    // The lamp's rim and the button's face follow the state even when the
    // state did not change.
    element.SetLook(element.Look());
    element.update();
}

// ---- Showing

void TSchalterDlg::BeforeShow()
{
    FontControlsFromPreview();
    TypComboChange();
}

void TSchalterDlg::FontControlsFromPreview()
{
    const bool wasFilling = filling_;
    filling_ = true;
    const struct {
        QToolButton* Button;
        Byte Bit;
    } styles[] = {{BoldBtn, fsBold}, {ItalicBtn, fsItalic}, {UnderlineBtn, fsUnderline}, {StrikeoutBtn, fsStrikeOut}};
    const Byte style = PreviewFont.Style;
    for (const auto& s : styles)
        s.Button->setChecked(style & s.Bit);
    PreviewFont.Style = style;
    cbFontSize->FillSizeList();
    cbFontName->FillList();
    cbFontName->SelectFont(AnsiToQString(PreviewFont.Name));
    cbFontSize->SetFontSize(FontSizeOf(PreviewFont));
    FontColShape->SetBrushColor(PreviewFont.Color);
    cbFontFX->setCurrentIndex(std::clamp<int>(GradBtn1->TextStyle(), 0, 2));
    filling_ = wasFilling;
    UpdateGradBtn();
}

bool TSchalterDlg::event(QEvent* event)
{
    if (ShowHelpOnHelpButton(event, HelpContext))
        return true;
    return TModalForm::event(event);
}

// ---- Looks and previews

void TSchalterDlg::TypComboChange()
{
    const Integer look = Look();
    GB_Bitmap->setVisible(look == TSchalter::LookPicture);
    GB_Button->setVisible(look == TSchalter::LookButton);
    GB_Btmap3->setVisible(look == TSchalter::LookUser);
    GB_Plastik->setVisible(look == TSchalter::LookLamp);
    if (look == TSchalter::LookButton)
        VorschauTimer->stop();
    else if (!VorschauTimer->isActive())
        VorschauTimer->start();
    if (look == TSchalter::LookPicture)
        ShowPicturePreview();
    else if (look == TSchalter::LookUser)
        ShowUserPreview();
}

void TSchalterDlg::ShowPicturePreview()
{
    const Byte type = Byte(std::clamp(Typ->currentRow(), 0, SwitchTypeCount - 1));
    const Byte colour = Byte(std::clamp(Farbe->currentRow(), 0, SwitchColourCount - 1));
    PreviewPicture = SwitchPicture(colour, type, PreviewState);
    ::Turn(PreviewPicture, Turn);
    ShowCentred(Image1, PreviewPicture, SwitchTypeTransparent(type), SwitchTypeSizeable(type));
}

void TSchalterDlg::ShowUserPreview()
{
    const QImage& picture = PreviewState ? UserOnPicture : UserOffPicture;
    ShowCentred(Image2, picture, cb_Transparent->isChecked(), false);
}

void TSchalterDlg::BitBtn1Click()
{
    Turn = Turn == 0 ? 3 : Byte(Turn - 1);
    ShowPicturePreview();
}

void TSchalterDlg::BitBtn2Click()
{
    Turn = Turn == 3 ? 0 : Byte(Turn + 1);
    ShowPicturePreview();
}

void TSchalterDlg::VorschauTimerTimer()
{
    PreviewState = !PreviewState;
    switch (Look()) {
    case TSchalter::LookPicture: ShowPicturePreview(); break;
    case TSchalter::LookUser: ShowUserPreview(); break;
    case TSchalter::LookLamp:
        Lampe->SetLedOn(PreviewState);
        Lampe->SetOuterBorderStyle(PreviewState ? iablsDown : iablsUp);
        Lampe->RequestRepaint();
        break;
    default: break;
    }
}

// ---- User pictures

void TSchalterDlg::LoadUserPicture(int tag)
{
    TFileDialog dialog;
    dialog.Kind = TFileDialogKind::Open;
    dialog.Filter = "Bitmaps (*.bmp)|*.bmp";
    dialog.DefaultExt = "BMP";
    const AnsiString fileName = ExecuteFileDialog(dialog);
    if (!fileName.empty())
        LoadUserPictureFile(tag, fileName);
}

bool TSchalterDlg::LoadUserPictureFile(int tag, const AnsiString& fileName)
{
    QImage picture;
    if (!picture.load(AnsiToQString(fileName)) || picture.isNull()) {
        MessageBox(QStringToAnsi(L("Die Datei kann nicht als Bild gelesen werden:\n", "The file cannot be read as a picture:\n",
                                   "Le fichier ne peut pas être lu comme image :\n")) +
                       fileName,
                   QStringToAnsi(windowTitle()), MB_OK | MB_ICONERROR);
        return false;
    }
    // The project file carries the picture as a bitmap file; one that could
    // not be read back is refused here rather than lost on the next load.
    if (!FitsSwitchRecord(picture)) {
        MessageBox(QStringToAnsi(L("Das Bild ist zu groß für den Schalter:\n", "The picture is too large for the switch:\n",
                                   "L'image est trop grande pour l'interrupteur :\n")) +
                       fileName,
                   QStringToAnsi(windowTitle()), MB_OK | MB_ICONERROR);
        return false;
    }
    (tag == 1 ? UserOnPicture : UserOffPicture) = std::move(picture);
    ShowUserPreview();
    return true;
}

void TSchalterDlg::TurnUserPictures(bool clockwise)
{
    for (QImage* picture : {&UserOnPicture, &UserOffPicture}) {
        if (picture->isNull())
            continue;
        if (clockwise)
            RotateBitmap90Right(*picture);
        else
            RotateBitmap90Left(*picture);
    }
    ShowUserPreview();
}

// ---- Button and lamp controls

void TSchalterDlg::UpdateGradBtn()
{
    if (filling_)
        return;
    GradBtn1->SetCaption(Text->text());
    GradBtn1->SetGradientStyle(cbVerlauf->currentIndex() == 1 ? gsVertical : gsHorizontal);
    GradBtn1->SetBeginColor(VonColShape->BrushColor);
    GradBtn1->SetEndColor(bisColShape->BrushColor);
    GradBtn1->SetTxtHiliteClr(VonColShape->BrushColor);
    GradBtn1->SetTxtShadowClr(bisColShape->BrushColor);
    const int fx = cbFontFX->currentIndex();
    if (fx >= 0 && fx <= 2)
        GradBtn1->SetTextStyle(TTextStyle(fx));
    PreviewFont.Color = FontColShape->BrushColor;
    GradBtn1->setFont(ButtonQFont(PreviewFont));
    GradBtn1->SetFontColor(PreviewFont.Color);
    GradBtn1->update();
}

void TSchalterDlg::FontNameChanged()
{
    if (filling_)
        return;
    const QString name = cbFontName->GetSelectedFont();
    if (!name.isEmpty())
        PreviewFont.Name = QStringToAnsi(name);
    UpdateGradBtn();
}

void TSchalterDlg::FontSizeChanged()
{
    if (filling_)
        return;
    const int size = cbFontSize->GetFontSize();
    if (size > 0)
        PreviewFont.Height = FontHeightForSize(size);
    UpdateGradBtn();
}

void TSchalterDlg::UpdateLamp()
{
    if (filling_)
        return;
    Lampe->SetLedPlasticColor(PlastikColShape->BrushColor);
    const int form = CB_Form->currentIndex();
    if (form >= 0 && form < int(std::size(ShapeOfEntry)))
        Lampe->SetLedClass(ShapeOfEntry[form]);
    const int angle = cbWinkel->currentIndex();
    if (angle >= 0)
        Lampe->SetAngle(angle * 900);
    Lampe->SetOuterBorderDepth(std::clamp(SE_Rand->Value(), 0, MaxRim));
    PlaceLamp();
}

void TSchalterDlg::PlaceLamp()
{
    // Sized anew so a wider rim or a turn keeps the figure in the same box,
    // then centred in the preview group (a lamp at an odd angle keeps its box).
    Lampe->SetBounds(QRect(Lampe->x(), Lampe->y(), LampWidth, LampHeight));
    const QSize room = GroupBox8->size();
    Lampe->move((room.width() - Lampe->width()) / 2, (room.height() - Lampe->height()) / 2 + 6);
    Lampe->RequestRepaint();
}

void TSchalterDlg::LampControlsFromLamp()
{
    const bool wasFilling = filling_;
    filling_ = true;
    PlastikColShape->SetBrushColor(Lampe->LedPlasticColor());
    for (int i = 0; i < int(std::size(ShapeOfEntry)); ++i)
        if (ShapeOfEntry[i] == Lampe->LedClass())
            CB_Form->setCurrentIndex(i);
    switch (Lampe->Angle()) {
    case 0: cbWinkel->setCurrentIndex(0); break;
    case 900: cbWinkel->setCurrentIndex(1); break;
    case 1800: cbWinkel->setCurrentIndex(2); break;
    case -900: cbWinkel->setCurrentIndex(3); break;
    default: cbWinkel->setCurrentIndex(-1); break;
    }
    SE_Rand->SetValue(std::clamp(Lampe->OuterBorderDepth(), 0, MaxRim));
    filling_ = wasFilling;
}

void TSchalterDlg::ChooseShapeColor(TShape* shape)
{
    shape->SetBrushColor(ChooseColor(shape->BrushColor));
    if (shape == PlastikColShape)
        UpdateLamp();
    else
        UpdateGradBtn();
}

// ---- Hotkeys

void TSchalterDlg::HotBtnClick()
{
    if (!Hotkeys)
        return;
    TDefault_Dlg& dlg = Default_Dlg();
    dlg.SetCaption(Translate("Hotkeys"));
    dlg.SetHelpContext(HelpContext);
    TPropScrollbox& props = *dlg.Props;
    for (std::size_t i = 0; i < Hotkeys->size(); ++i)
        props.AddHotkey(Translate("Hotkey") + " " + std::to_string(i + 1), *(*Hotkeys)[i], HotkeyActions);
    dlg.ShowModal();
}

#include "ui/controls/UCLFontPickers.h"

#include <QApplication>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>

namespace {

const int StandardSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

TUCLFontSource SystemFontSource()
{
    TUCLFontSource source;
    source.Families = [] {
        std::vector<std::pair<QString, int>> families;
        for (const QString& family : QFontDatabase::families())
            families.emplace_back(family, QFontDatabase::isScalable(family) ? TrueTypeFontType : RasterFontType);
        return families;
    };
    source.Faces = [](const QString& family) {
        std::vector<TUCLFontFace> faces;
        if (!QFontDatabase::families().contains(family, Qt::CaseInsensitive))
            return faces;
        if (QFontDatabase::isScalable(family)) {
            faces.push_back(TUCLFontFace{true, 0});
            return faces;
        }
        for (int size : QFontDatabase::pointSizes(family))
            faces.push_back(TUCLFontFace{false, size});
        return faces;
    };
    return source;
}

QLabel* NewExampleWindow()
{
    auto* window = new QLabel(nullptr, Qt::ToolTip);
    window->setAutoFillBackground(true);
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    window->setPalette(pal);
    return window;
}

void ShowExampleWindow(QLabel* window, const QString& family, int size, const QString& text, QPoint at)
{
    QFont font(family);
    font.setPointSize(std::max(1, size));
    window->setFont(font);
    window->setText(text);
    window->setMaximumWidth(200);
    window->adjustSize();
    window->move(at);
    window->show();
}

// Symbol of the font type before a name; returns where the text starts.
int DrawFontSymbol(QPainter& canvas, const QRect& item, int type, bool withSymbol)
{
    if (!withSymbol)
        return item.left() + 3;
    const QImage& symbols = FontSymbolBitmap();
    const int half = symbols.width() / 2;
    const QRect area(item.left() + 2, item.top(), half + 4, item.height());
    const int source = (type & TrueTypeFontType) ? 0 : (type & DeviceFontType) ? half : -1;
    if (source >= 0) {
        const QImage part = symbols.copy(source, 0, half, symbols.height());
        canvas.drawImage(QPoint(area.left() + (area.width() - half) / 2, area.top() + (area.height() - part.height()) / 2),
                         part);
    }
    return item.left() + half + 10;
}

}   // namespace

TUCLFontSource& FontSource()
{
    static TUCLFontSource source = SystemFontSource();
    return source;
}

void ResetFontSource()
{
    FontSource() = SystemFontSource();
}

const QImage& FontSymbolBitmap()
{
    static const QImage bitmap = [] {
        QImage image(28, 10, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setPen(QColor(0, 0, 128));
        p.drawLine(1, 1, 7, 1);   // "T" of an outline font
        p.drawLine(4, 1, 4, 8);
        p.setPen(QColor(128, 128, 128));
        p.drawLine(6, 3, 12, 3);
        p.drawLine(9, 3, 9, 9);
        p.setPen(Qt::black);      // a printer
        p.drawRect(16, 4, 10, 4);
        p.drawRect(18, 1, 6, 3);
        return image;
    }();
    return bitmap;
}

// --- font combo ---

TUCLFontComboBox::TUCLFontComboBox(QWidget* Parent) : TUCLCustomComboBox(Parent)
{
    SetSorted(true);
    SetStyle(TComboBoxStyle::csOwnerDrawFixed);
    SetItemHeight(15);
    FillList();
    connect(qApp, &QGuiApplication::fontDatabaseChanged, this, [this] { Refill(); });
}

TUCLFontComboBox::~TUCLFontComboBox()
{
    delete FExample;
}

void TUCLFontComboBox::FillList()
{
    setUpdatesEnabled(false);
    ClearItems();
    if (FOptions & (foScreenFonts | foPrinterFonts)) {   // one database serves screen and printer
        for (const auto& [name, type] : FontSource().Families()) {
            if ((FOptions & foTrueTypeOnly) && !(type & TrueTypeFontType))
                continue;
            if (findText(name, Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0)
                AddItem(name, type);
        }
    }
    setUpdatesEnabled(true);
}

void TUCLFontComboBox::SelectFont(const QString& Name)
{
    if (currentText() == Name && currentIndex() >= 0)
        return;
    SetItemIndex(findText(Name, Qt::MatchFixedString));
    Change();
}

void TUCLFontComboBox::Refill()
{
    const QString text = currentText();
    FillList();
    UpdateItemHeight();
    SelectFont(text);
}

void TUCLFontComboBox::SetOptions(TUCLFontCBOptions Value)
{
    if (Value == FOptions)
        return;
    FOptions = Value;
    const QString text = currentText();
    FillList();
    SelectFont(text);
}

void TUCLFontComboBox::UpdateItemHeight()
{
    const int h = QFontMetrics(font()).boundingRect(QStringLiteral("Wq")).height();
    SetItemHeight(h > 9 ? h + 1 : 10);
}

void TUCLFontComboBox::Change()
{
    if (FontChangeHook)
        FontChangeHook();
    TUCLCustomComboBox::Change();
}

void TUCLFontComboBox::hidePopup()
{
    if (FExample)
        FExample->hide();
    TUCLCustomComboBox::hidePopup();
}

void TUCLFontComboBox::ShowExampleFor(const QString& Family)
{
    if (!FExample)
        FExample = NewExampleWindow();
    const QPoint at = ExampleAlign == TUCLFontComboExampleAlign::eaComboBox
                          ? mapToGlobal(QPoint(width(), 0))
                          : mapToGlobal(QPoint(std::max(width(), DropDownWidth()), height()));
    ShowExampleWindow(FExample, Family, ExampleFontSize, ExampleText, at);
}

void TUCLFontComboBox::DrawItem(QPainter& Canvas, int Index, const QRect& Rect, bool Selected)
{
    if (Index < 0)
        return;
    const QString name = itemText(Index);
    if (Selected) {
        Canvas.fillRect(Rect, ColorToQColor(clHighlight));
        Canvas.setPen(ColorToQColor(clHighlightText));
        if (DroppedDown() && ShowExample)
            ShowExampleFor(name);
    } else {
        Canvas.fillRect(Rect, palette().color(QPalette::Base));
        Canvas.setPen(isEnabled() ? palette().color(QPalette::Text) : ColorToQColor(clInactiveCaption));
    }
    const int x = DrawFontSymbol(Canvas, Rect, ItemObject(Index), FOptions & foDisplaySymbol);
    QFont font = this->font();
    if (FOptions & foDisplayFont)
        font.setFamily(name);
    Canvas.setFont(font);
    Canvas.setClipRect(Rect);
    Canvas.drawText(QRect(x, Rect.top() + 1, Rect.right() - x, Rect.height() - 1), Qt::AlignVCenter | Qt::TextSingleLine,
                    name);
    Canvas.setClipping(false);
    TUCLCustomComboBox::DrawItem(Canvas, -1, Rect, Selected);   // the recent-entries separator
}

// --- font list ---

TUCLFontListBox::TUCLFontListBox(QWidget* Parent) : TUCLCustomDerivedImageListBox(Parent)
{
    FillList();
    connect(qApp, &QGuiApplication::fontDatabaseChanged, this, [this] {
        const QString font = GetSelectedFont();
        FillList();
        SelectFont(font);
    });
}

TUCLFontListBox::~TUCLFontListBox()
{
    delete FExample;
}

void TUCLFontListBox::FillList()
{
    ClearItems();
    if (!(FOptions & (foScreenFonts | foPrinterFonts)))
        return;
    for (const auto& [name, type] : FontSource().Families()) {
        if ((FOptions & foTrueTypeOnly) && !(type & TrueTypeFontType))
            continue;
        if (IndexOf(name) < 0 || ItemText(IndexOf(name)) != name)
            AddItem(name, type);
    }
}

void TUCLFontListBox::SetOptions(TUCLFontCBOptions Value)
{
    if (Value == FOptions)
        return;
    FOptions = Value;
    const QString font = GetSelectedFont();
    FillList();
    SelectFont(font);
}

QString TUCLFontListBox::GetSelectedFont() const
{
    return ItemIndex() >= 0 ? ItemText(ItemIndex()) : QString();
}

void TUCLFontListBox::SelectFont(const QString& Name)
{
    if (GetSelectedFont() != Name)
        SetItemIndex(IndexOf(Name));
    if (FontChangeHook)
        FontChangeHook();
}

void TUCLFontListBox::DoSelect()
{
    TUCLCustomDerivedImageListBox::DoSelect();
    if (FontChangeHook)
        FontChangeHook();
}

void TUCLFontListBox::DrawItem(QPainter& Canvas, int Index, const TRect& Rect, Byte State)
{
    if (FExample)
        FExample->hide();
    const QRect r(Rect.Left + Margin(), Rect.Top, Rect.Width() - 2 * Margin(), Rect.Height() - 1);
    const QString name = ItemText(Index);
    const int x = DrawFontSymbol(Canvas, r, ItemObject(Index), FOptions & foDisplaySymbol);
    QFont font = this->font();
    if (FOptions & foDisplayFont)
        font.setFamily(name);
    Canvas.setFont(font);
    if (State & odDisabled)
        Canvas.setPen(ColorToQColor(clGrayText));
    Canvas.drawText(QRect(x, r.top() + 1, r.right() - x, r.height()), Qt::AlignVCenter | Qt::TextSingleLine, name);
}

bool TUCLFontListBox::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::MouseMove)
        ShowExampleAt(static_cast<QMouseEvent*>(event)->position().toPoint());
    else if (event->type() == QEvent::Leave && FExample) {
        FExample->hide();
        FLastExample = -1;
    }
    return TUCLCustomDerivedImageListBox::viewportEvent(event);
}

void TUCLFontListBox::ShowExampleAt(QPoint Pos)
{
    const QListWidgetItem* it = itemAt(Pos);
    const int index = it ? row(it) : -1;
    if (index < 0) {
        if (FExample)
            FExample->hide();
        FLastExample = -1;
        return;
    }
    if (index == FLastExample || !ShowExample)
        return;
    FLastExample = index;
    if (!FExample)
        FExample = NewExampleWindow();
    QPoint at;
    switch (ExampleAlign) {
    case TUCLFontListExampleAlign::eaListRightTop: at = mapToGlobal(QPoint(width(), 0)); break;
    case TUCLFontListExampleAlign::eaMousePos: at = viewport()->mapToGlobal(Pos + QPoint(10, 0)); break;
    case TUCLFontListExampleAlign::eaRow: at = mapToGlobal(QPoint(width(), viewport()->mapToParent(Pos).y())); break;
    }
    ShowExampleWindow(FExample, ItemText(index), ExampleFontSize, ExampleText, at);
}

// --- font sizes ---

TUCLFontSizeComboBox::TUCLFontSizeComboBox(QWidget* Parent) : TUCLCustomComboBox(Parent)
{
    SetSorted(false);
    SetStyle(TComboBoxStyle::csDropDown);
    SetItemHeight(16);
}

void TUCLFontSizeComboBox::SetEditorEnabled(bool Value)
{
    FEditorEnabled = Value;
    const int index = currentIndex();
    SetStyle(Value ? TComboBoxStyle::csDropDown : TComboBoxStyle::csDropDownList);
    setCurrentIndex(index);
}

void TUCLFontSizeComboBox::InsertSorted(int Size)
{
    const QString text = QString::number(Size);
    if (findText(text) >= 0)
        return;
    int at = 0;
    while (at < count() && itemText(at).toInt() <= Size)
        ++at;
    InsertItem(at, text);
}

void TUCLFontSizeComboBox::FillSizeList()
{
    setUpdatesEnabled(false);
    const QString text = currentText();
    ClearItems();
    if (!FFontName.isEmpty()) {
        for (const TUCLFontFace& face : FontSource().Faces(FFontName)) {
            if (face.Scalable) {
                for (int size : StandardSizes)
                    AddItem(QString::number(size));
                break;
            }
            InsertSorted(face.PointSize);
        }
    }
    if (isEditable())
        setEditText(text);
    setUpdatesEnabled(true);
}

int TUCLFontSizeComboBox::NearestSize(int Size) const
{
    int best = 0;
    bool found = false;
    for (const TUCLFontFace& face : FontSource().Faces(FFontName)) {
        if (face.Scalable)
            return Size;
        if (!found || std::abs(face.PointSize - Size) < std::abs(best - Size))
            best = face.PointSize;
        found = true;
    }
    return best;
}

int TUCLFontSizeComboBox::GetFontSize() const
{
    bool ok = false;
    const int size = currentText().trimmed().toInt(&ok);
    return ok ? size : -1;
}

void TUCLFontSizeComboBox::SetFontSize(int Size)
{
    if (FFontName.isEmpty()) {
        SetItemIndex(-1);
        if (isEditable())
            setEditText(QString());
        return;
    }
    if (Size < 1 || Size > 999)
        Size = DefaultSize;
    if (UseNearestSize)
        Size = NearestSize(Size);
    const QString text = QString::number(Size);
    SetItemIndex(findText(text, Qt::MatchFixedString));
    if (isEditable())
        setEditText(text);
    Change();
}

void TUCLFontSizeComboBox::SetFontName(const QString& Value)
{
    if (Value == FFontName)
        return;
    const int size = GetFontSize();
    FFontName = Value;
    FillSizeList();
    SetFontSize(size);
}

void TUCLFontSizeComboBox::SetFontSource(QWidget* Source)
{
    if (TUCLFontComboBox* combo = FontCombo())
        combo->FontChangeHook = nullptr;
    if (TUCLFontListBox* list = FontList())
        list->FontChangeHook = nullptr;
    FFontSource = Source;
    if (auto* combo = qobject_cast<TUCLFontComboBox*>(Source))
        combo->FontChangeHook = [this] { FontSourceChanged(); };
    if (auto* list = qobject_cast<TUCLFontListBox*>(Source))
        list->FontChangeHook = [this] { FontSourceChanged(); };
}

void TUCLFontSizeComboBox::FontSourceChanged()
{
    if (TUCLFontComboBox* combo = FontCombo())
        SetFontName(combo->GetSelectedFont());
    else if (TUCLFontListBox* list = FontList())
        SetFontName(list->GetSelectedFont());
}

void TUCLFontSizeComboBox::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool control = !text.isEmpty() && text.at(0).unicode() < 32;
    bool accepted = !text.isEmpty() && !FFontName.isEmpty();
    if (accepted) {
        const QChar c = text.at(0);
        accepted = FEditorEnabled ? (c.isDigit() || c == '+' || c == '-' || control)
                                  : (control && event->key() != Qt::Key_Backspace);
    }
    if (!text.isEmpty() && !accepted) {
        QApplication::beep();
        return;
    }
    if (enter || event->key() == Qt::Key_Escape) {
        // Enter and Escape belong to the dialog (its default and cancel buttons).
        event->ignore();
        return;
    }
    TUCLCustomComboBox::keyPressEvent(event);
}

void TUCLFontSizeComboBox::focusOutEvent(QFocusEvent* event)
{
    TUCLCustomComboBox::focusOutEvent(event);
    if (!FEditorEnabled)
        return;
    if (FFontName.isEmpty()) {
        setEditText(QString());
        return;
    }
    const QString text = currentText();
    SetFontSize(text.isEmpty() ? -1 : text.toInt());
}

#include "platform/Dialogs.h"

#include "platform/AnsiText.h"
#include "platform/Paths.h"
#include "platform/TextLanguage.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QHostInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

TModalHook* currentHook = nullptr;

QWidget* DialogParent()
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal ? modal : QApplication::activeWindow();
}

// Offscreen there is no desktop to provide native dialogs.
bool UseQtDialogs()
{
    return QGuiApplication::platformName() == QLatin1String("offscreen");
}

struct TButtonId {
    QMessageBox::StandardButton Button;
    Integer Id;
};

// The buttons of each MB_ button set in their Windows order.
std::vector<TButtonId> ButtonsOf(Cardinal flags)
{
    switch (flags & 0x0F) {
    case MB_OKCANCEL: return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL: return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default: return {{QMessageBox::Ok, IDOK}};
    }
}

QMessageBox::Icon IconOf(Cardinal flags)
{
    switch (flags & 0xF0) {
    case MB_ICONERROR: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONWARNING: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

// The window manager draws the title in its own, often bold, font beside the
// window's icon and buttons; Qt only allows the title in the normal font plus
// 50 pixels, so a short message cut its box's title.
constexpr int TitleBarAllowance = 120;

void FitTitle(QMessageBox& box)
{
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const int width = QFontMetrics(font).horizontalAdvance(box.windowTitle()) + TitleBarAllowance;
    // The box takes its layout's minimum width when it is shown.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                      grid->columnCount());
}

Integer ShowMessageBox(const TModalRequest& request)
{
    const std::vector<TButtonId> buttons = ButtonsOf(request.Flags);
    QMessageBox box(IconOf(request.Flags), AnsiToQString(request.Caption), AnsiToQString(request.Text),
                    QMessageBox::NoButton, DialogParent());
    box.setTextFormat(Qt::PlainText);
    if (!request.Details.empty()) {
        box.setInformativeText(AnsiToQString(request.Details));
        // A file name is no markup.
        if (auto* details = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
            details->setTextFormat(Qt::PlainText);
    }
    for (const TButtonId& b : buttons)
        box.addButton(b.Button);
    const std::size_t defaultIndex = (request.Flags >> 8) & 0x0F;
    box.setDefaultButton(buttons[defaultIndex < buttons.size() ? defaultIndex : 0].Button);
    // Last: setting the texts builds the box's layout anew.
    FitTitle(box);
    box.exec();
    const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
    for (const TButtonId& b : buttons)
        if (b.Button == clicked)
            return b.Id;
    return buttons.size() == 1 ? IDOK : IDCANCEL;   // closed without a button
}

// "Text|*.txt;*.log|All|*.*" -> "Text (*.txt *.log)", "All (*.*)". A pattern
// list already written into the description is replaced by the real one,
// which Qt reads from the last parentheses.
QStringList NameFilters(const AnsiString& filter)
{
    const QStringList parts = AnsiToQString(filter).split(u'|');
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        description.remove(trailingPatterns);
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        filters << description + QStringLiteral(" (") + patterns.simplified() + u')';
    }
    return filters;
}

TModalAnswer ShowFileDialog(const TModalRequest& request)
{
    const TFileDialog& d = request.File;
    QFileDialog dialog(DialogParent(), AnsiToQString(d.Title), QtFileName(d.InitialDir));
    dialog.setAcceptMode(d.Kind == TFileDialogKind::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog, UseQtDialogs());
    // ExecuteFileDialog asks itself, for the name it will really use.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    const QStringList filters = NameFilters(d.Filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(d.FilterIndex - 1, filters.first()));
    }
    dialog.setDefaultSuffix(AnsiToQString(d.DefaultExt));
    if (!d.FileName.empty())
        dialog.selectFile(QtFileName(d.FileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return TModalAnswer::Cancel();
    return TModalAnswer::File(QStringToAnsi(dialog.selectedFiles().first()),
                              Integer(filters.indexOf(dialog.selectedNameFilter()) + 1));
}

TModalAnswer ShowColorDialog(const TModalRequest& request)
{
    for (int i = 0; i < int(request.CustomColors.size()); ++i)
        QColorDialog::setCustomColor(i, ColorToQColor(request.CustomColors[i]));
    QColorDialog dialog(ColorToQColor(request.Color), DialogParent());
    dialog.setOption(QColorDialog::DontUseNativeDialog, UseQtDialogs());
    if (dialog.exec() != QDialog::Accepted)
        return TModalAnswer::Cancel();
    TModalAnswer answer = TModalAnswer::Colour(QColorToColor(dialog.currentColor()));
    TCustomColors custom;
    for (int i = 0; i < int(custom.size()); ++i)
        custom[i] = QColorToColor(QColorDialog::customColor(i));
    answer.CustomColors = custom;
    return answer;
}

TModalAnswer ShowFolderDialog(const TModalRequest& request)
{
    QFileDialog dialog(DialogParent(), AnsiToQString(request.Caption), QtFileName(request.InitialDir));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, UseQtDialogs());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return TModalAnswer::Cancel();
    return TModalAnswer::File(QStringToAnsi(dialog.selectedFiles().first()));
}

TModalAnswer ShowHostDialog(const TModalRequest& request)
{
    QStringList hosts{QHostInfo::localHostName(), QStringLiteral("localhost")};
    const QString preset = AnsiToQString(request.Text);
    if (!preset.isEmpty() && !hosts.contains(preset))
        hosts.prepend(preset);
    bool ok = false;
    const QString host = QInputDialog::getItem(DialogParent(), AnsiToQString(request.Caption), QString(), hosts,
                                               preset.isEmpty() ? 0 : int(hosts.indexOf(preset)), true, &ok)
                             .trimmed();
    if (!ok || host.isEmpty())
        return TModalAnswer::Cancel();
    return TModalAnswer::File(QStringToAnsi(host));
}

TModalAnswer Ask(const TModalRequest& request)
{
    if (currentHook)
        return currentHook->Answer(request);
    switch (request.Kind) {
    case TModalKind::MessageBox: return TModalAnswer::Button(ShowMessageBox(request));
    case TModalKind::FileDialog: return ShowFileDialog(request);
    case TModalKind::ColorDialog: return ShowColorDialog(request);
    case TModalKind::FolderDialog: return ShowFolderDialog(request);
    case TModalKind::HostDialog: return ShowHostDialog(request);
    }
    return TModalAnswer::Cancel();
}

}   // namespace

Integer MessageBox(std::string_view text, std::string_view caption, Cardinal flags, std::string_view details)
{
    TModalRequest request;
    request.Kind = TModalKind::MessageBox;
    request.Text = text;
    request.Details = details;
    request.Caption = caption;
    request.Flags = flags;
    return Ask(request).Result;
}

void ShowMessage(std::string_view text)
{
    MessageBox(text, QStringToAnsi(QGuiApplication::applicationDisplayName()), MB_OK);
}

AnsiString ExecuteFileDialog(TFileDialog& dialog)
{
    TModalRequest request;
    request.Kind = TModalKind::FileDialog;
    request.Caption = dialog.Title;
    request.File = dialog;
    for (;;) {
        const TModalAnswer answer = Ask(request);
        if (answer.Result != IDOK || answer.FileName.empty())
            return AnsiString();
        AnsiString name = answer.FileName;
        // The dialog adds the default extension to a name typed without one.
        if (!dialog.DefaultExt.empty() && ExtractFileExt(name).empty())
            name += "." + dialog.DefaultExt;
        if (answer.FilterIndex > 0)
            request.File.FilterIndex = answer.FilterIndex;
        if (dialog.Kind == TFileDialogKind::Save && dialog.OverwritePrompt && FileExists(name)) {
            const QString shown = QtFileName(ExtractFileName(name));
            const QString question = PlatformText(
                QStringLiteral("\u201E%1\u201C ist bereits vorhanden.\nM\u00F6chten Sie die Datei ersetzen?"),
                QStringLiteral("%1 already exists.\nDo you want to replace it?"),
                QStringLiteral("Le fichier \u00AB %1 \u00BB existe d\u00E9j\u00E0.\nVoulez-vous le remplacer ?"));
            const AnsiString title =
                dialog.Title.empty() ? QStringToAnsi(QGuiApplication::applicationDisplayName()) : dialog.Title;
            if (MessageBox(QStringToAnsi(question.arg(shown)), title, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES) {
                request.File.FileName = name;   // shown again with the name the user chose
                continue;
            }
        }
        dialog.FileName = name;
        dialog.FilterIndex = request.File.FilterIndex;
        return name;
    }
}

bool ExecuteColorDialog(TColor& color, TCustomColors& customColors)
{
    TModalRequest request;
    request.Kind = TModalKind::ColorDialog;
    request.Color = color;
    request.CustomColors = customColors;
    const TModalAnswer answer = Ask(request);
    if (answer.Result != IDOK)
        return false;
    color = answer.Color;
    if (answer.CustomColors)
        customColors = *answer.CustomColors;
    return true;
}

AnsiString ExecuteFolderDialog(std::string_view caption, std::string_view initialDir)
{
    TModalRequest request;
    request.Kind = TModalKind::FolderDialog;
    request.Caption = caption;
    request.InitialDir = initialDir;
    const TModalAnswer answer = Ask(request);
    return answer.Result == IDOK ? answer.FileName : AnsiString();
}

AnsiString ExecuteHostDialog(std::string_view caption, std::string_view initialHost)
{
    TModalRequest request;
    request.Kind = TModalKind::HostDialog;
    request.Caption = caption;
    request.Text = initialHost;
    const TModalAnswer answer = Ask(request);
    return answer.Result == IDOK ? answer.FileName : AnsiString();
}

TModalAnswer TModalAnswer::Button(Integer id)
{
    TModalAnswer answer;
    answer.Result = id;
    return answer;
}

TModalAnswer TModalAnswer::File(AnsiString name, Integer filterIndex)
{
    TModalAnswer answer = Button(IDOK);
    answer.FileName = std::move(name);
    answer.FilterIndex = filterIndex;
    return answer;
}

TModalAnswer TModalAnswer::Colour(TColor color)
{
    TModalAnswer answer = Button(IDOK);
    answer.Color = color;
    return answer;
}

TModalHook::TModalHook(TModalHandler handler) : handler_(std::move(handler)), previous_(currentHook)
{
    currentHook = this;
}

TModalHook::TModalHook(std::vector<TModalAnswer> answers)
    : TModalHook([answers = std::move(answers), next = std::size_t(0)](const TModalRequest&) mutable {
          return next < answers.size() ? answers[next++] : TModalAnswer::Cancel();
      })
{
}

TModalHook::~TModalHook()
{
    currentHook = previous_;
}

TModalAnswer TModalHook::Answer(const TModalRequest& request)
{
    requests_.push_back(request);
    return handler_(request);
}

// The print preview the front-panel window shows before it prints: the page
// drawn by the caller, a headline and comment lines, the zoom, centring on
// the page, and the buttons "Drucken", "OK" and "Abbrechen".
#pragma once

#include "dialogs/ModalForm.h"

#include <functional>
#include <vector>

class QCheckBox;
class QLineEdit;
class QPainter;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;

class TPreviewDlg : public TModalForm {
    Q_OBJECT
public:
    static constexpr Integer mrPrint = 6;

    explicit TPreviewDlg(QWidget* parent = nullptr);

    QLineEdit* HeadlineEdit;
    QPlainTextEdit* CommentMemo;
    QCheckBox* CB_Mitte;
    QCheckBox* CB_SW;
    QCheckBox* cb_Hintergrund;
    QScrollBar* ZoomScroller;   // 0..200
    QWidget* pvPaintBox;
    QPushButton* PrintButton;
    QPushButton* OKButton;
    QPushButton* CancelButton;
    QPushButton* SetupButton;

    // The picture's place in preview pixels, moved by dragging it.
    QPoint PreviewOffset;
    Integer PrinterIndex = -1;
    Integer Orientation = 0;

    std::function<void(QPainter&)> OnRepaint;
    std::function<void()> OnTextChanged;
    std::function<void()> OnZoomChanged;

    AnsiString Headline() const;
    void SetHeadline(const AnsiString& text);
    std::vector<AnsiString> Comment() const;
    void SetComment(const std::vector<AnsiString>& lines);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPoint dragStart_;
    bool dragging_ = false;
};
